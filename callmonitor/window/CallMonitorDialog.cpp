#include "callmonitor/window/CallMonitorDialog.h"

#include "gui/Accessibility.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tarvis {

namespace {

// In the order of NachDemGespraech.
const char* const NachTexte[] = {
    "Speichern-Dialog öffnen",
    "Sofort speichern, wenn die Zone bekannt ist",
    "Nichts tun",
};

QLabel* Kopf(const QString& text, QWidget* feld) {
    auto* label = new QLabel(text);
    SetzeBeschriftung(label, feld);
    feld->setAccessibleName(QString(text).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    return label;
}

} // namespace

frmAnrufmonitor::frmAnrufmonitor(const AnrufmonitorEinstellungen& werte, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAnrufmonitor"));
    setWindowTitle(QStringLiteral("Anrufmonitor"));
    FokusVonAnfangAnSichtbar(this);

    chkAktiv_ = new QCheckBox(QStringLiteral("Anrufmonitor des &Routers verwenden"));
    chkAktiv_->setObjectName(QStringLiteral("chkAktiv"));
    chkAktiv_->setAccessibleDescription(
        QStringLiteral("START und STOP folgen den Gesprächen, die der Router meldet"));
    chkAktiv_->setChecked(werte.aktiv);

    txtAdresse_ = new QLineEdit(werte.adresse);
    txtAdresse_->setObjectName(QStringLiteral("txtAdresse"));
    txtAdresse_->setMaxLength(255);
    txtPort_ = new QSpinBox;
    txtPort_->setObjectName(QStringLiteral("txtPort"));
    txtPort_->setRange(1, 65535);
    txtPort_->setValue(werte.port);
    cboNach_ = new AuswahlListe;
    cboNach_->setObjectName(QStringLiteral("cboNachDemGespraech"));
    for (const char* text : NachTexte) {
        cboNach_->addItem(QString::fromUtf8(text));
    }
    cboNach_->setCurrentIndex(static_cast<int>(werte.nachDemGespraech));
    txtVorwahl_ = new QLineEdit(werte.eigeneVorwahl);
    txtVorwahl_->setObjectName(QStringLiteral("txtVorwahl"));
    txtVorwahl_->setPlaceholderText(QStringLiteral("z. B. 0711"));
    txtVorwahl_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("0[0-9]{1,7}")), this));

    for (QWidget* feld : {static_cast<QWidget*>(txtAdresse_), static_cast<QWidget*>(txtPort_),
                          static_cast<QWidget*>(txtVorwahl_)}) {
        SprichtFeldBeimBetreten(feld);
    }

    auto* formular = new QFormLayout;
    formular->addRow(Kopf(QStringLiteral("A&dresse:"), txtAdresse_), txtAdresse_);
    formular->addRow(Kopf(QStringLiteral("&Port:"), txtPort_), txtPort_);
    formular->addRow(Kopf(QStringLiteral("&Nach dem Gespräch:"), cboNach_), cboNach_);
    formular->addRow(Kopf(QStringLiteral("Eigene &Vorwahl:"), txtVorwahl_), txtVorwahl_);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    auto* abbruch = new QPushButton(QStringLiteral("Abbrechen"));
    abbruch->setObjectName(QStringLiteral("cmdAbbruch"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(ok);
    knoepfe->addWidget(abbruch);

    auto* spalte = new QVBoxLayout(this);
    spalte->addWidget(chkAktiv_);
    spalte->addLayout(formular);
    spalte->addLayout(knoepfe);
    chkAktiv_->setFocus();
}

AnrufmonitorEinstellungen frmAnrufmonitor::Werte() const {
    AnrufmonitorEinstellungen werte;
    werte.aktiv = chkAktiv_->isChecked();
    const QString adresse = txtAdresse_->text().trimmed();
    if (!adresse.isEmpty()) {
        werte.adresse = adresse;
    }
    werte.port = txtPort_->value();
    werte.nachDemGespraech = static_cast<NachDemGespraech>(cboNach_->currentIndex());
    werte.eigeneVorwahl = txtVorwahl_->text();
    return werte;
}

} // namespace tarvis
