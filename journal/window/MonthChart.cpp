#include "journal/window/MonthChart.h"

#include "gui/WindowStyle.h"
#include "journal/ChartData.h"
#include "platform/QtText.h"
#include "tariff/TariffTables.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLocale>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>

namespace tarvis {

using namespace style;

// The view is made with its chart: a view made without one makes a chart of its own, which
// setChart() would let go of without deleting it.
MonatsGrafik::MonatsGrafik(QWidget* parent) : QChartView(new QChart, parent), chart_(chart()) {
    chart_->setTheme(QChart::ChartThemeLight);
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundBrush(Qt::white);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->setTitleFont(Arial(9.75, true));
    chart_->setTitleBrush(Qt::black);
    chart_->setTitle(QStringLiteral("Gebühren je Monat (DM)"));
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->legend()->setFont(Arial(8.25));
    chart_->legend()->setLabelColor(Qt::black);
    chart_->setLocalizeNumbers(true);
    setObjectName(QStringLiteral("chtMonate"));
    setAccessibleName(QStringLiteral("Grafik der Gebühren je Monat und Zone"));
    setAccessibleDescription(QStringLiteral("Dieselben Zahlen stehen in der Tabelle der Summen"));
    setFocusPolicy(Qt::NoFocus);
    setRenderHint(QPainter::Antialiasing, true);
    setMinimumHeight(200);
}

void MonatsGrafik::Zeige(const GrafikDaten& daten) {
    chart_->removeAllSeries();
    for (QAbstractAxis* achse : chart_->axes()) {
        chart_->removeAxis(achse);
        delete achse;
    }
    if (daten.Leer()) {
        return;
    }
    auto* reihe = new QStackedBarSeries;
    ZonenArray<QBarSet*> saetze{nullptr};
    for (int zone : AlleZonen) {
        saetze[zone] = new QBarSet(AlsQString(ZonenName[zone]));
        for (const std::int64_t pfennig : daten.pfennig[zone]) {
            saetze[zone]->append(double(pfennig) / 100.0);
        }
        reihe->append(saetze[zone]);
    }
    chart_->addSeries(reihe); // the theme colours the bars; the zone colours come after
    for (int zone : AlleZonen) {
        saetze[zone]->setColor(ZonenFarbe(zone));
        saetze[zone]->setBorderColor(Qt::black);
        saetze[zone]->setLabelColor(Qt::black);
        connect(saetze[zone], &QBarSet::hovered, this,
                [this, monate = daten.monate, pfennig = daten.pfennig[zone], zone](bool darueber,
                                                                                   int i) {
                    if (!darueber || i < 0 || i >= monate.size()) {
                        QToolTip::hideText();
                        return;
                    }
                    QToolTip::showText(QCursor::pos(),
                                       BalkenText(monate[i], zone,
                                                  pfennig[static_cast<std::size_t>(i)], QLocale()),
                                       this);
                });
    }
    auto* monatsAchse = new QBarCategoryAxis;
    monatsAchse->append(daten.beschriftung);
    if (daten.hochkant) {
        monatsAchse->setLabelsAngle(-90);
    }
    monatsAchse->setLabelsFont(Arial(8.25));
    monatsAchse->setLabelsBrush(Qt::black);
    monatsAchse->setGridLineVisible(false);
    chart_->addAxis(monatsAchse, Qt::AlignBottom);
    reihe->attachAxis(monatsAchse);
    auto* dmAchse = new QValueAxis;
    const double hoechste = double(daten.hoechsterStapel) / 100.0;
    dmAchse->setRange(0.0, hoechste > 0.0 ? hoechste : 1.0);
    dmAchse->applyNiceNumbers();
    // Whole DM: the Pfennig are in the table and in each bar's tooltip.
    dmAchse->setLabelFormat(QStringLiteral("%.0f"));
    dmAchse->setLabelsFont(Arial(8.25));
    dmAchse->setLabelsBrush(Qt::black);
    chart_->addAxis(dmAchse, Qt::AlignLeft);
    reihe->attachAxis(dmAchse);
}

} // namespace tarvis
