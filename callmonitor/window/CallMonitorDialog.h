#pragma once

#include "callmonitor/CallMonitorSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace tarvis {

// "Anrufmonitor": whether the program follows the router's call monitor, where the router is,
// what happens after a call and the own area code. Handed the settings in force; gives back
// the ones the user confirmed.
class frmAnrufmonitor : public QDialog {
    Q_OBJECT

public:
    explicit frmAnrufmonitor(const AnrufmonitorEinstellungen& werte, QWidget* parent = nullptr);

    AnrufmonitorEinstellungen Werte() const;

private:
    QCheckBox* chkAktiv_ = nullptr;
    QLineEdit* txtAdresse_ = nullptr;
    QSpinBox* txtPort_ = nullptr;
    QComboBox* cboNach_ = nullptr;
    QLineEdit* txtVorwahl_ = nullptr;
};

} // namespace tarvis
