#include "overview/window/OverviewWindow.h"

#include "gui/WindowStyle.h"
#include "overview/TariffOverview.h"
#include "support/AccessibilityChecks.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QValueAxis>
#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;

namespace {

QString Name(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// Reads the window the way the user sees it, through its controls.
class Fenster {
public:
    Fenster() {
        dialog.show();
        QApplication::processEvents();
    }

    template <class T> T* Control(const QString& name) {
        T* control = dialog.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QRadioButton* optZone(int z) { return Control<QRadioButton>(Name("optZone", z)); }
    QRadioButton* optZeit(int i) { return Control<QRadioButton>(Name("optZeit", i)); }
    QLabel* lblZone(int z) { return Control<QLabel>(Name("lblZone", z)); }
    QLabel* lblZeit(int i) { return Control<QLabel>(Name("lblZeit", i)); }
    QLabel* lblSek(int k) { return Control<QLabel>(Name("lblSek", k)); }
    QLabel* lblBemerkung(int n) { return Control<QLabel>(Name("lblBemerkung", n)); }
    QChartView* grfTarif() { return Control<QChartView>(QStringLiteral("grfTarif")); }
    QBarSet* Balken() {
        auto* reihe = qobject_cast<QBarSeries*>(grfTarif()->chart()->series().value(0));
        return reihe != nullptr && reihe->count() == 1 ? reihe->barSets().value(0) : nullptr;
    }

    int GewaehlteZone() {
        int gewaehlt = 0;
        for (int z : AlleZonen) {
            gewaehlt += optZone(z)->isChecked() ? z : 0;
        }
        return gewaehlt;
    }

    // Every figure, bar, colour and line must be those of the zone and kind of day.
    void ZeigtGenau(int zone, TagesArt art) {
        const UebersichtInhalt soll = UebersichtFuer(zone, art, QLocale());
        EXPECT_EQ(GewaehlteZone(), zone);
        EXPECT_TRUE(optZeit(static_cast<int>(art))->isChecked());
        QBarSet* balken = Balken();
        ASSERT_NE(balken, nullptr);
        ASSERT_EQ(balken->count(), SlotAnzahl);
        EXPECT_EQ(balken->color(), style::ZonenFarbe(zone));
        for (int k = 1; k <= SlotAnzahl; ++k) {
            SCOPED_TRACE(testing::Message() << "bar " << k);
            const UebersichtBalken& b = soll.balken[static_cast<std::size_t>(k - 1)];
            EXPECT_EQ(lblSek(k)->text(), b.text);
            EXPECT_DOUBLE_EQ(balken->at(k - 1), b.sekunden);
        }
        EXPECT_EQ(lblBemerkung(1)->text(), soll.bemerkung1);
        EXPECT_EQ(lblBemerkung(2)->text(), soll.bemerkung2);
    }

    frmUebersicht dialog;
};

bool PasstHinein(const QLabel* label, const QString& text) {
    const QFontMetrics metrik(label->font());
    const QRect platz = label->contentsRect();
    return metrik.horizontalAdvance(text) <= platz.width() && metrik.height() <= platz.height();
}

} // namespace

TEST(frmUebersicht, OpensOnCityWorkingDaysInYellow) {
    Fenster f;
    EXPECT_EQ(f.dialog.windowTitle(), QStringLiteral("Tarifübersicht"));
    EXPECT_TRUE(f.dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(f.dialog.font().pixelSize(), style::Arial(9.75).pixelSize());
    EXPECT_EQ(f.dialog.size(), QSize(5880 / 15, 6990 / 15));
    f.ZeigtGenau(1, TagesArt::Werktag);
    const char* figures[] = {"240", "240", "150", "90", "90", "150", "240"};
    for (int k = 1; k <= SlotAnzahl; ++k) {
        EXPECT_EQ(f.lblSek(k)->text(), QLatin1String(figures[k - 1]));
    }
    EXPECT_EQ(f.Balken()->color(), QColor(255, 255, 0));
    EXPECT_EQ(f.lblBemerkung(1)->text(), QStringLiteral("alle normalen Werktage ohne Feiertage,"));
}

TEST(frmUebersicht, GraphCarriesTheSlotCaptionsAndAnAxisInSeconds) {
    Fenster f;
    const QList<QAbstractAxis*> achsen = f.grfTarif()->chart()->axes();
    QStringList beschriftungen;
    double maximum = 0.0;
    for (QAbstractAxis* achse : achsen) {
        if (auto* slots = qobject_cast<QBarCategoryAxis*>(achse)) {
            beschriftungen = slots->categories();
        } else if (auto* wert = qobject_cast<QValueAxis*>(achse)) {
            maximum = wert->max();
            EXPECT_EQ(wert->min(), 0.0);
        }
    }
    EXPECT_EQ(beschriftungen, (QStringList{"  00-02", "  02-05", "  05-09", "  09-12", "  12-18",
                                           "  18-21", "  21-24"}));
    EXPECT_GE(maximum, 240.0); // the longest unit fits
}

// Each step is what the user does; the window must then show exactly the resulting selection.
TEST(frmUebersicht, SelectionsByOptionAndByLabelKeepTheOtherChoice) {
    enum class Was { OptZone, OptZeit, LblZone, LblZeit };
    struct Schritt {
        const char* name;
        Was was;
        int index;
        int zone;
        TagesArt art;
    };
    const std::vector<Schritt> schritte{
        {"Fern", Was::OptZone, 4, 4, TagesArt::Werktag},
        {"holidays keep Fern", Was::OptZeit, 3, 4, TagesArt::Feiertag},
        {"Region 50 keeps holidays", Was::OptZone, 2, 2, TagesArt::Feiertag},
        {"label of weekends", Was::LblZeit, 2, 2, TagesArt::Wochenende},
        {"label of Region 200", Was::LblZone, 3, 3, TagesArt::Wochenende},
        {"label of the selected zone again", Was::LblZone, 3, 3, TagesArt::Wochenende},
        {"label of the selected kind again", Was::LblZeit, 2, 3, TagesArt::Wochenende},
        {"year-end working days", Was::OptZeit, 4, 3, TagesArt::JahresendWerktag},
        {"label of City", Was::LblZone, 1, 1, TagesArt::JahresendWerktag},
        {"label of working days", Was::LblZeit, 1, 1, TagesArt::Werktag},
    };
    Fenster f;
    for (const Schritt& s : schritte) {
        SCOPED_TRACE(s.name);
        QWidget* ziel = nullptr;
        switch (s.was) {
        case Was::OptZone:
            ziel = f.optZone(s.index);
            break;
        case Was::OptZeit:
            ziel = f.optZeit(s.index);
            break;
        case Was::LblZone:
            ziel = f.lblZone(s.index);
            break;
        case Was::LblZeit:
            ziel = f.lblZeit(s.index);
            break;
        }
        QTest::mouseClick(ziel, Qt::LeftButton, {}, ziel->rect().center());
        f.ZeigtGenau(s.zone, s.art);
    }
}

TEST(frmUebersicht, FernShowsHalfSecondsAndOnHolidaysTheHolidayBandsInRed) {
    Fenster f;
    QTest::mouseClick(f.optZone(4), Qt::LeftButton, {}, f.optZone(4)->rect().center());
    EXPECT_EQ(f.lblSek(3)->text(), QStringLiteral("21,5")); // working days, German separator
    EXPECT_EQ(f.lblSek(5)->text(), QStringLiteral("13,5"));
    QTest::mouseClick(f.optZeit(3), Qt::LeftButton, {}, f.optZeit(3)->rect().center());
    // Bands 10, 10, 9, 9, 9, 9, 10 all give Fern 36 seconds.
    for (int k = 1; k <= SlotAnzahl; ++k) {
        EXPECT_EQ(f.lblSek(k)->text(), QStringLiteral("36"));
        EXPECT_DOUBLE_EQ(f.Balken()->at(k - 1), 36.0);
    }
    EXPECT_EQ(f.Balken()->color(), QColor(255, 0, 0));
    EXPECT_EQ(f.lblBemerkung(1)->text(),
              QStringLiteral("bundeseinheitliche gesetzliche Feiertage, 24.12., 31.12.,"));
    EXPECT_EQ(f.lblBemerkung(2)->text(),
              QStringLiteral("alle Samstage und Sonntage in der Zeit vom 27.12. bis 30.12."));
}

// The colours as designed, written out here rather than taken from the shared look, so a slip
// there shows in this window.
TEST(frmUebersicht, ZonesAndKindsOfDayWearTheirDesignedColours) {
    Fenster f;
    const struct {
        QColor balken;
        QColor grund; // of the zone's name
    } zonen[] = {{},
                 {{255, 255, 0}, {255, 255, 128}},
                 {{0, 255, 0}, {128, 255, 128}},
                 {{255, 0, 255}, {255, 128, 255}},
                 {{255, 0, 0}, {255, 128, 128}}};
    for (int zone : AlleZonen) {
        SCOPED_TRACE(testing::Message() << "zone " << zone);
        f.optZone(zone)->setChecked(true);
        EXPECT_EQ(f.Balken()->color(), zonen[zone].balken);
        EXPECT_EQ(f.lblZone(zone)->palette().color(QPalette::Window), zonen[zone].grund);
    }
    const struct {
        TagesArt art;
        QColor grund;
        QColor schrift;
    } tage[] = {
        {TagesArt::Werktag, {192, 192, 192}, Qt::black},
        {TagesArt::Wochenende, {255, 192, 192}, Qt::white},
        {TagesArt::Feiertag, {192, 0, 0}, Qt::white},
        {TagesArt::JahresendWerktag, {192, 192, 255}, Qt::white},
    };
    for (const auto& tag : tage) {
        SCOPED_TRACE(testing::Message() << "kind of day " << static_cast<int>(tag.art));
        const QPalette& farben = f.lblZeit(static_cast<int>(tag.art))->palette();
        EXPECT_EQ(farben.color(QPalette::Window), tag.grund);
        EXPECT_EQ(farben.color(QPalette::WindowText), tag.schrift);
    }
}

TEST(frmUebersicht, EnterAndEscapeClose) {
    struct Fall {
        const char* name;
        Qt::Key taste;
        int ergebnis;
    };
    const std::vector<Fall> faelle{{"Enter", Qt::Key_Return, QDialog::Accepted},
                                   {"keypad Enter", Qt::Key_Enter, QDialog::Accepted},
                                   {"Esc", Qt::Key_Escape, QDialog::Rejected}};
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Fenster f;
        auto* zurueck = f.Control<QPushButton>(QStringLiteral("cmdZurueck"));
        EXPECT_EQ(zurueck->text(), QStringLiteral("&zurück"));
        EXPECT_TRUE(zurueck->isDefault());
        f.dialog.setResult(-1);
        QTest::keyClick(f.optZone(1), fall.taste); // the focus sits on an option
        EXPECT_FALSE(f.dialog.isVisible());
        EXPECT_EQ(f.dialog.result(), fall.ergebnis);
    }
}

TEST(frmUebersicht, NoTextIsClipped) {
    Fenster f;
    for (QLabel* label : f.dialog.findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_TRUE(PasstHinein(label, label->text()));
    }
    // The texts shown only for other selections must fit as well.
    for (int art = 1; art <= TagesArtAnzahl; ++art) {
        const BemerkungZeilen zeilen = BemerkungVon(static_cast<TagesArt>(art));
        EXPECT_TRUE(PasstHinein(f.lblBemerkung(1), QString::fromUtf8(zeilen.erste.data())));
        EXPECT_TRUE(PasstHinein(f.lblBemerkung(2), QString::fromUtf8(zeilen.zweite.data())));
    }
    EXPECT_TRUE(PasstHinein(f.lblSek(1), QStringLiteral("22,5")));
    EXPECT_TRUE(PasstHinein(f.lblSek(1), QStringLiteral("240")));
    auto* zurueck = f.Control<QPushButton>(QStringLiteral("cmdZurueck"));
    EXPECT_LE(QFontMetrics(zurueck->font()).horizontalAdvance(QStringLiteral("zurück")) + 8,
              zurueck->width());
}

// When the window grows, the graph gets the room, the seconds stay under their bars and
// everything but the graph (which overhangs its frame by design) stays inside its parent.
TEST(frmUebersicht, EnlargingGrowsTheGraphAndKeepsTheLayout) {
    Fenster f;
    const QSize entwurf = f.dialog.size();
    const QSize grafik = f.grfTarif()->size();
    for (const QSize zusatz : {QSize(0, 0), QSize(308, 184)}) {
        SCOPED_TRACE(testing::Message() << "+" << zusatz.width() << "x" << zusatz.height());
        f.dialog.resize(entwurf + zusatz);
        QApplication::processEvents();
        EXPECT_EQ(f.grfTarif()->size(), grafik + zusatz);
        const QRectF flaeche = f.grfTarif()->chart()->plotArea();
        const double slot = flaeche.width() / SlotAnzahl;
        for (int k = 1; k <= SlotAnzahl; ++k) {
            const QPoint mitte = f.grfTarif()->mapFrom(f.lblSek(k)->parentWidget(),
                                                       f.lblSek(k)->geometry().center());
            EXPECT_GT(mitte.x(), flaeche.left() + (k - 1) * slot) << k;
            EXPECT_LT(mitte.x(), flaeche.left() + k * slot) << k;
            EXPECT_GT(mitte.y(), flaeche.bottom()) << k;
        }
        for (QWidget* w : f.dialog.findChildren<QWidget*>()) {
            if (!w->isWindow() && w != f.grfTarif() && !f.grfTarif()->isAncestorOf(w)) {
                EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
                    << w->objectName().toStdString();
            }
        }
    }
}

// The option buttons carry no text of their own: their names are those of the labels beside
// them.
TEST(frmUebersicht, AScreenReaderReadsEveryOptionByItsName) {
    Fenster f;
    const std::pair<QString, const char*> erwartet[] = {
        {Name("optZone", 1), "City"},
        {Name("optZone", 2), "Region 50"},
        {Name("optZone", 3), "Region 200"},
        {Name("optZone", 4), "Fern"},
        {Name("optZeit", 1), "Montag - Freitag"},
        {Name("optZeit", 2), "Samstag / Sonntag"},
        {Name("optZeit", 3), "Feiertag"},
        {Name("optZeit", 4), "Werktag 27.12. - 30.12."},
    };
    for (const auto& [objekt, name] : erwartet) {
        QAccessibleInterface* zugang = test::Zugang(f.Control<QRadioButton>(objekt));
        ASSERT_NE(zugang, nullptr);
        EXPECT_EQ(zugang->text(QAccessible::Name), QString::fromUtf8(name)) << objekt.toStdString();
        EXPECT_EQ(zugang->role(), QAccessible::RadioButton);
    }
}

TEST(frmUebersicht, EveryControlShowsItsFocus) {
    Fenster f;
    const std::vector<QString> folge = test::PruefeSichtbarenFokus(f.dialog);
    EXPECT_EQ(folge, (std::vector<QString>{"optZone(1)", "optZeit(1)", "cmdZurueck"}));
    // The focus marks leave the graph alone: its yellow bars are drawn in the window.
    const QImage bild = f.dialog.grab().toImage();
    int gelb = 0;
    for (int y = 0; y < bild.height(); ++y) {
        for (int x = 0; x < bild.width(); ++x) {
            gelb += bild.pixelColor(x, y) == QColor(255, 255, 0);
        }
    }
    EXPECT_GT(gelb, 1000);
}

TEST(frmUebersicht, UnderADarkSchemeNoTextOnAFixedGroundReadsWorse) {
    const auto baue = []() -> std::unique_ptr<QWidget> {
        return std::make_unique<frmUebersicht>();
    };
    EXPECT_GT(test::LabelsAufFestemGrund(baue), 15);
    const std::vector<test::KontrastMangel> maengel = test::KontrastMaengel(baue);
    EXPECT_TRUE(maengel.empty()) << test::Beschreibe(maengel);
}
