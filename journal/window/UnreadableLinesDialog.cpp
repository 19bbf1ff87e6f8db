#include "journal/window/UnreadableLinesDialog.h"

#include "journal/window/JournalLook.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvis {

dlgUnlesbar::dlgUnlesbar(const QString& titel, const QString& zeilen, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlgUnlesbar"));
    setWindowTitle(titel);
    setSizeGripEnabled(true);
    auto* spalte = new QVBoxLayout(this);
    auto* liste = new QPlainTextEdit;
    liste->setObjectName(QStringLiteral("txtUnlesbar"));
    liste->setAccessibleName(QStringLiteral("Nicht lesbare Zeilen"));
    liste->setReadOnly(true);
    liste->setLineWrapMode(QPlainTextEdit::NoWrap);
    liste->setPlainText(zeilen);
    liste->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    spalte->addWidget(Kopf(QStringLiteral("&Datei und Zeile jeder nicht lesbaren Zeile:"), liste));
    spalte->addWidget(liste);
    spalte->addWidget(knoepfe);
    const QScreen* bildschirm = parent != nullptr ? parent->screen() : screen();
    const QRect platz =
        bildschirm != nullptr ? bildschirm->availableGeometry() : QRect(0, 0, 800, 600);
    resize(std::min(720, platz.width() * 9 / 10), std::min(420, platz.height() * 8 / 10));
    liste->setFocus();
}

} // namespace tarvis
