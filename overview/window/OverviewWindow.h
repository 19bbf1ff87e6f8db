#pragma once

#include "tariff/TariffTables.h"
#include "tariff/Zone.h"

#include <QDialog>
#include <array>

class QBarSet;
class QChart;
class QChartView;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tarvis {

struct UebersichtInhalt;

// The tariff overview: for a chosen zone and kind of day, the length of a unit in each slot of
// the day as a bar graph with the seconds under the bars. It shows the constant tariff only, so
// it needs nothing handed in and keeps nothing between openings.
class frmUebersicht : public QDialog {
    Q_OBJECT

public:
    explicit frmUebersicht(QWidget* parent = nullptr);
    ~frmUebersicht() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BaueKopf();
    void BaueGrafik();
    void BaueZonenWahl();
    void BaueZeitWahl();
    void BaueBemerkung();
    void Anordnen(QSize groesse);

    void optZoneClick(int zone);
    void optZeitClick(int art);
    void Zeige(const UebersichtInhalt& inhalt);
    QString AktuelleTagesArt() const;

    QFrame* rahmen_[4] = {};
    QLabel* lblLabel_ = nullptr;
    QFrame* picRahmen_ = nullptr;
    QChartView* grfTarif_ = nullptr;
    QChart* chart_ = nullptr;
    QBarSet* balken_ = nullptr;
    std::array<QLabel*, SlotAnzahl> lblSek_{};
    ZonenArray<QRadioButton*> optZone_{nullptr};
    ZonenArray<QLabel*> lblZone_{nullptr};
    std::array<QRadioButton*, TagesArtAnzahl + 1> optZeit_{}; // [kind of day], 0 unused
    std::array<QLabel*, TagesArtAnzahl + 1> lblZeit_{};
    QLabel* lblBemerkung_[2] = {};
    QPushButton* cmdZurueck_ = nullptr;
};

} // namespace tarvis
