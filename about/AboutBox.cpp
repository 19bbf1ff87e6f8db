#include "about/AboutBox.h"

#include "gui/Accessibility.h"
#include "gui/WindowStyle.h"
#include "platform/VersionText.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tarvis {

using namespace style;

namespace {

const QColor AboutBlau{0, 0, 192};

QLabel* AboutText(QWidget* parent, int index, const QString& text, const QRect& geometrie,
                  bool fett) {
    QLabel* label =
        Beschriftung(parent, text, geometrie, Arial(8.25, fett), Qt::AlignLeft | Qt::AlignTop);
    label->setObjectName(QStringLiteral("lblAboutText(%1)").arg(index));
    label->setWordWrap(true);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    FokusVonAnfangAnSichtbar(this);
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    HelleSteuerelemente(this);
    SetzeGrund(this, Hellgrau);

    auto* bildrahmen = new QFrame(this);
    bildrahmen->setObjectName(QStringLiteral("Bildrahmen"));
    bildrahmen->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bildrahmen->setGeometry(Twips(180, 240, 495, 555));

    lblAboutText_[0] = AboutText(this, 1, VersionsText(), Twips(780, 240, 4335, 195), true);
    SetzeTextFarbe(lblAboutText_[0], AboutBlau);
    lblAboutText_[1] = AboutText(this, 2, BeschreibungText(), Twips(780, 480, 4335, 435), false);
    // The legal line is longer than one line of the box; it gets a second line, as the
    // description does, so nothing of it is cut off.
    lblAboutText_[2] = AboutText(this, 3, CopyrightText(), Twips(780, 1020, 4335, 435), false);

    auto* linie = new QFrame(this);
    linie->setObjectName(QStringLiteral("Linie"));
    linie->setGeometry(Px(60), Px(2760), Px(5160 - 60), 1);
    SetzeGrund(linie, Dunkelgrau);

    cmdOk_ = new QPushButton(QStringLiteral("&OK"), this);
    cmdOk_->setObjectName(QStringLiteral("cmdOk"));
    cmdOk_->setGeometry(Twips(3900, 3780, 1215, 375));
    cmdOk_->setDefault(true);
    ZeigtFokus(cmdOk_); // the default button wears the focus colour all the time
    cmdOk_->setFocus();
    connect(cmdOk_, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(Px(5265), Px(4455));
}

frmAbout::~frmAbout() = default;

} // namespace tarvis
