#pragma once

#include "calllog/CallData.h"

#include <QDialog>

namespace tarvis {

class FileChooser;
class Logbuch;

// The save dialog: the user picks the zone actually dialled, may add number and comment, and
// the call is appended to the current log file. A double click on the file name lets the user
// pick another log file.
class frmSpeichern : public QDialog {
    Q_OBJECT

public:
    frmSpeichern(const GespraechsDaten& daten, Logbuch& logbuch, FileChooser& dateiWahl,
                 QWidget* parent = nullptr);
    ~frmSpeichern() override;

    // Whether the call was written to the log file.
    bool Gespeichert() const { return gespeichert_; }

private:
    GespraechsDaten daten_;
    Logbuch& logbuch_;
    FileChooser& dateiWahl_;
    bool gespeichert_ = false;
};

} // namespace tarvis
