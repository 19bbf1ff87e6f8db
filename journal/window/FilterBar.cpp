#include "journal/window/FilterBar.h"

#include "gui/Accessibility.h"
#include "gui/WindowStyle.h"
#include "journal/window/JournalLook.h"
#include "platform/QtText.h"
#include "tariff/TariffTables.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvis {

using namespace style;

namespace {

// A month as the month box keeps it: 199612.
int MonatsSchluessel(std::pair<int, int> monat) {
    return monat.first * 100 + monat.second;
}

} // namespace

FilterLeiste::FilterLeiste(QWidget* parent) : QWidget(parent) {
    auto* aussen = new QVBoxLayout(this);
    aussen->setContentsMargins(0, 0, 0, 0);
    QFrame* rahmen = Rahmen(nullptr, {}, QStringLiteral("Rahmen(0)"));
    aussen->addWidget(rahmen);
    auto* zeile = new QHBoxLayout(rahmen);

    cboMonat_ = new AuswahlListe;
    cboMonat_->setObjectName(QStringLiteral("cboMonat"));
    cboMonat_->setAccessibleName(QStringLiteral("Monat"));
    cboMonat_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cboMonat_->addItem(QStringLiteral("Alle Monate"));
    cboZone_ = new AuswahlListe;
    cboZone_->setObjectName(QStringLiteral("cboZone"));
    cboZone_->setAccessibleName(QStringLiteral("Zone"));
    cboZone_->addItem(QStringLiteral("Alle Zonen"), 0);
    for (int zone : AlleZonen) {
        cboZone_->addItem(AlsQString(ZonenName[zone]), zone);
    }
    txtSuche_ = new QLineEdit;
    txtSuche_->setObjectName(QStringLiteral("txtSuche"));
    txtSuche_->setAccessibleName(QStringLiteral("Suche"));
    txtSuche_->setAccessibleDescription(
        QStringLiteral("Zeigt nur Anrufe, deren Telefonnummer oder Kommentar den Text enthält"));
    txtSuche_->setPlaceholderText(QStringLiteral("Telefonnummer oder Kommentar"));
    txtSuche_->setClearButtonEnabled(true);
    SprichtFeldBeimBetreten(txtSuche_);
    // The clear button is no Tab stop (Ctrl+A and Delete do the same from the keyboard); a
    // screen reader's review finds it by its name.
    for (QToolButton* knopf : txtSuche_->findChildren<QToolButton*>()) {
        knopf->setAccessibleName(QStringLiteral("Suche leeren"));
    }
    cmdDateien_ = Knopf("cmdDateien", QStringLiteral("&Dateien…"));
    cmdOrdner_ = Knopf("cmdOrdner", QStringLiteral("Logbücher des &Ordners"));
    cmdOrdner_->setAccessibleDescription(
        QStringLiteral("Zeigt wieder die Logbücher neben dem aktuellen Logbuch"));
    cmdOrdner_->hide();

    zeile->addWidget(Kopf(QStringLiteral("&Monat:"), cboMonat_));
    zeile->addWidget(cboMonat_);
    zeile->addSpacing(12);
    zeile->addWidget(Kopf(QStringLiteral("Zo&ne:"), cboZone_));
    zeile->addWidget(cboZone_);
    zeile->addSpacing(12);
    zeile->addWidget(Kopf(QStringLiteral("&Suche:"), txtSuche_));
    zeile->addWidget(txtSuche_, 1);
    zeile->addSpacing(12);
    zeile->addWidget(cmdDateien_);
    zeile->addWidget(cmdOrdner_);

    connect(cboMonat_, &QComboBox::currentIndexChanged, this, &FilterLeiste::Gewaehlt);
    connect(cboZone_, &QComboBox::currentIndexChanged, this, &FilterLeiste::Gewaehlt);
    connect(txtSuche_, &QLineEdit::textChanged, this, &FilterLeiste::Getippt);
    connect(cmdDateien_, &QPushButton::clicked, this, &FilterLeiste::DateienWaehlen);
    connect(cmdOrdner_, &QPushButton::clicked, this, &FilterLeiste::OrdnerLesen);
}

JournalFilter FilterLeiste::Filter() const {
    JournalFilter filter;
    const QVariant monat = cboMonat_->currentData();
    if (monat.isValid()) {
        filter.monat = std::pair{monat.toInt() / 100, monat.toInt() % 100};
    }
    filter.zone = cboZone_->currentData().toInt();
    filter.suche = txtSuche_->text().toStdString();
    return filter;
}

void FilterLeiste::ZeigeMonate(const std::vector<std::pair<int, int>>& monate) {
    const QVariant vorher = cboMonat_->currentData();
    const QSignalBlocker stumm(cboMonat_);
    cboMonat_->clear();
    cboMonat_->addItem(QStringLiteral("Alle Monate"));
    for (const auto& monat : monate) {
        cboMonat_->addItem(MonatsText(monat), MonatsSchluessel(monat));
    }
    const int index = vorher.isValid() ? cboMonat_->findData(vorher) : 0;
    cboMonat_->setCurrentIndex(std::max(index, 0));
}

void FilterLeiste::DateiwahlFrei(bool frei) {
    cmdDateien_->setEnabled(frei);
    cmdOrdner_->setEnabled(frei);
}

void FilterLeiste::ZeigeOrdnerKnopf(bool zeigen) {
    cmdOrdner_->setVisible(zeigen);
}

std::array<QWidget*, 5> FilterLeiste::Folge() const {
    return {cboMonat_, cboZone_, txtSuche_, cmdDateien_, cmdOrdner_};
}

} // namespace tarvis
