#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarvis {

// The about box: product name and version, file description with comment, and the legal line,
// all from the program's version information. Built afresh at every opening.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

private:
    QLabel* lblAboutText_[3] = {};
    QPushButton* cmdOk_ = nullptr;
};

} // namespace tarvis
