#pragma once

#include <QDialog>

namespace tarvis {

// The lines of the logs that could not be read, each with its file and line number. However
// many, the list scrolls inside a window that fits the screen and can be made larger; its text
// can be selected and copied.
class dlgUnlesbar final : public QDialog {
public:
    dlgUnlesbar(const QString& titel, const QString& zeilen, QWidget* parent = nullptr);
};

} // namespace tarvis
