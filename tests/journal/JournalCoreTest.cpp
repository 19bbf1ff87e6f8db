#include "calllog/LogFormat.h"
#include "calllog/LogWriter.h"
#include "commandline/CommandLine.h"
#include "journal/JournalColumns.h"
#include "journal/JournalCsv.h"
#include "journal/JournalFilter.h"
#include "journal/JournalLogs.h"
#include "journal/JournalModel.h"
#include "journal/JournalRead.h"
#include "journal/JournalSums.h"
#include "journal/LogFiles.h"
#include "journal/SumsModel.h"
#include "platform/QtText.h"

#include <QBuffer>
#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <numeric>
#include <random>
#include <sys/stat.h>

namespace tarvis {
namespace {

using namespace std::chrono;
using test::JournalLogs;

// Each call of the test logs by its letter, found by its date and start.
char Kennung(const JournalDaten& daten, std::uint32_t i) {
    static const std::map<std::string, char> kennungen{
        {"04.11.1996 09:12:40", 'A'}, {"15.11.1996 20:05:00", 'B'}, {"28.11.1996 08:10:00", 'C'},
        {"03.12.1996 19:20:00", 'D'}, {"31.12.1996 23:50:00", 'E'}, {"14.12.1996 11:00:00", 'F'},
        {"05.01.1997 10:10:00", 'G'}};
    const std::string schluessel = ZellenText(daten, daten[i], Spalte::Datum, ",") + ' ' +
                                   ZellenText(daten, daten[i], Spalte::Start, ",");
    const auto gefunden = kennungen.find(schluessel);
    return gefunden == kennungen.end() ? '?' : gefunden->second;
}

std::string Kennungen(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen) {
    std::string text;
    for (const std::uint32_t i : zeilen) {
        text += Kennung(daten, i);
    }
    return text;
}

std::string Kennungen(const JournalModell& modell) {
    return Kennungen(modell.Daten(), modell.Zeilen());
}

QStringList Zeile(const QAbstractItemModel& modell, int zeile) {
    QStringList texte;
    for (int spalte = 0; spalte < modell.columnCount(); ++spalte) {
        texte << modell.index(zeile, spalte).data().toString();
    }
    return texte;
}

class JournalAusLogs : public ::testing::Test {
protected:
    JournalLogs logs;

    Journal Lies() { return LiesJournal(logs.Alle()); }

    JournalModell& Modell() {
        if (!modell_) {
            modell_ = std::make_unique<JournalModell>();
            modell_->SetzeDaten(Lies().daten);
        }
        return *modell_;
    }

private:
    std::unique_ptr<JournalModell> modell_;
};

} // namespace

TEST_F(JournalAusLogs, FindsTheLogsOfTheFolderInCalendarOrder) {
    QFile(logs.Pfad("Tarvis 13-1996.Rep")).open(QIODevice::WriteOnly);
    QFile(logs.Pfad("Notizen.txt")).open(QIODevice::WriteOnly);
    QDir(logs.Ordner()).mkdir(QStringLiteral("Tarvis 02-1997.Rep"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(logs.Pfad("Tarvis 03-1997.Rep")).constData(), 0600), 0);
    // Named as the program names them, the January log comes last, not first.
    EXPECT_EQ(LogDateienImOrdner(logs.Januar()), logs.Alle());
    // A current log that does not exist yet is not listed.
    EXPECT_EQ(LogDateienImOrdner(logs.Pfad("Tarvis 04-1997.Rep")), logs.Alle());
    // One of another name, chosen in the save dialog, is listed after them.
    QFile(logs.Pfad("Anrufe.Rep")).open(QIODevice::WriteOnly);
    EXPECT_EQ(LogDateienImOrdner(logs.Pfad("Anrufe.Rep")), logs.Alle() << logs.Pfad("Anrufe.Rep"));
    EXPECT_TRUE(LogDateienImOrdner(QDir(logs.Ordner()).filePath("fehlt/x.Rep")).isEmpty());
}

TEST_F(JournalAusLogs, TheModelShowsEveryCallWithItsComment) {
    const Journal journal = Lies();
    ASSERT_EQ(journal.dateien.size(), 3u);
    for (const DateiBericht& bericht : journal.dateien) {
        EXPECT_EQ(bericht.stand, DateiBericht::Stand::Gelesen) << bericht.pfad.toStdString();
    }
    EXPECT_EQ(journal.dateien[0].gespraeche, 3);
    EXPECT_EQ(journal.dateien[1].gespraeche, 3);
    JournalModell& modell = Modell();
    ASSERT_EQ(modell.rowCount(), 7);
    EXPECT_EQ(Kennungen(modell), "ABCDEFG");
    EXPECT_EQ(Zeile(modell, 0), (QStringList{"04.11.1996", "09:12:40", "09:15:02", "00:02:22,4",
                                             "0711 123456", "City", "2", "0,24", "Zahnarzt"}));
    EXPECT_EQ(Zeile(modell, 1).last(), QStringLiteral("Bestellung; Nr. \"17\""));
    EXPECT_EQ(Zeile(modell, 2).last(), QString());
    // Across midnight: the stop with its date; the orphaned indented line belongs to no call.
    EXPECT_EQ(Zeile(modell, 4),
              (QStringList{"31.12.1996", "23:50:00", "01.01.1997 00:12:30", "00:22:30,0",
                           "0621 339940", "Region 200", "24", "2,88", "Neujahr"}));
    EXPECT_EQ(Zeile(modell, 5).last(), QString::fromUtf8("B\u00fcro"));
    EXPECT_EQ(modell.index(4, int(Spalte::Zone)).data(rolle::Zone), 3);
    EXPECT_FALSE(modell.index(4, int(Spalte::Telefon)).data(rolle::Zone).isValid());
    EXPECT_EQ(modell.headerData(int(Spalte::Telefon), Qt::Horizontal).toString(),
              QStringLiteral("Telefonnummer"));
}

TEST_F(JournalAusLogs, ADamagedLineIsCountedWithFileAndLineAndTheRestIsRead) {
    const Journal journal = Lies();
    EXPECT_EQ(journal.fehlerAnzahl, 1);
    ASSERT_EQ(journal.fehler.size(), 1u);
    EXPECT_EQ(journal.fehler[0].datei, 0);
    EXPECT_EQ(journal.fehler[0].zeile, 9);
    EXPECT_FALSE(journal.fehler[0].grund.empty());
    EXPECT_EQ(journal.dateien[0].unlesbar, 1);
    EXPECT_EQ(journal.daten.Anzahl(), 7u);
}

// Sorting by a column orders its values: numbers as numbers, dates as dates, times of day as
// times. Equal values keep the order of files and lines in both directions. The expected orders
// are worked out by hand from the calls' table in JournalLogs.h; where a sort of the texts would
// give another order, it is noted.
struct SortierFall {
    const char* name;
    int spalte;
    Qt::SortOrder ordnung;
    const char* folge;
};
void PrintTo(const SortierFall& fall, std::ostream* os) {
    *os << fall.name;
}
class JournalSort : public JournalAusLogs, public ::testing::WithParamInterface<SortierFall> {};

TEST_P(JournalSort, SortsByValue) {
    JournalModell& modell = Modell();
    modell.sort(GetParam().spalte, GetParam().ordnung);
    EXPECT_EQ(Kennungen(modell), GetParam().folge);
}

INSTANTIATE_TEST_SUITE_P(
    Spalten, JournalSort,
    ::testing::Values(
        SortierFall{"file_order", -1, Qt::AscendingOrder, "ABCDEFG"},
        // As texts: DAGFBCE.
        SortierFall{"date", int(Spalte::Datum), Qt::AscendingOrder, "ABCDFEG"},
        SortierFall{"date_descending", int(Spalte::Datum), Qt::DescendingOrder, "GEFDCBA"},
        SortierFall{"start", int(Spalte::Start), Qt::AscendingOrder, "CAGFDBE"},
        // By the time of day alone: ECAGFDB (E ends on New Year's Day).
        SortierFall{"stop", int(Spalte::Stop), Qt::AscendingOrder, "ABCDFEG"},
        SortierFall{"duration", int(Spalte::Dauer), Qt::AscendingOrder, "ABCGEFD"},
        SortierFall{"number", int(Spalte::Telefon), Qt::AscendingOrder, "EBAGFCD"},
        SortierFall{"zone", int(Spalte::Zone), Qt::AscendingOrder, "AFGBECD"},
        // As texts: FCAGEBD.
        SortierFall{"units", int(Spalte::Einheiten), Qt::AscendingOrder, "AGBCEDF"},
        // As texts: AGBCFED.
        SortierFall{"cost", int(Spalte::Kosten), Qt::AscendingOrder, "AGBCEDF"},
        SortierFall{"cost_descending", int(Spalte::Kosten), Qt::DescendingOrder, "FDECBAG"},
        SortierFall{"comment", int(Spalte::Kommentar), Qt::AscendingOrder, "CGBFDEA"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalAusLogs, SortingKeepsTheFilterAndFilteringKeepsTheOrder) {
    JournalModell& modell = Modell();
    JournalFilter filter;
    filter.zone = 1;
    modell.SetzeFilter(filter);
    modell.sort(int(Spalte::Kosten), Qt::DescendingOrder);
    EXPECT_EQ(Kennungen(modell), "FAG");
    modell.SetzeFilter({});
    EXPECT_EQ(Kennungen(modell), "FDECBAG");
}

struct FilterFall {
    const char* name;
    std::optional<std::pair<int, int>> monat;
    int zone;
    const char* suche;
    const char* folge;
};
void PrintTo(const FilterFall& fall, std::ostream* os) {
    *os << fall.name;
}
class Filterung : public JournalAusLogs, public ::testing::WithParamInterface<FilterFall> {};

TEST_P(Filterung, ShowsWhatPasses) {
    JournalModell& modell = Modell();
    modell.SetzeFilter({GetParam().monat, GetParam().zone, GetParam().suche});
    EXPECT_EQ(Kennungen(modell), GetParam().folge);
    EXPECT_EQ(modell.rowCount(), int(std::string_view(GetParam().folge).size()));
}

INSTANTIATE_TEST_SUITE_P(
    Filter, Filterung,
    ::testing::Values(FilterFall{"none", std::nullopt, 0, "", "ABCDEFG"},
                      // A call across midnight counts in the month of its start.
                      FilterFall{"december", std::pair{1996, 12}, 0, "", "DEF"},
                      FilterFall{"january", std::pair{1997, 1}, 0, "", "G"},
                      FilterFall{"zone_fern", std::nullopt, 4, "", "CD"},
                      FilterFall{"number", std::nullopt, 0, "0711", "AFG"},
                      FilterFall{"comment_in_any_case", std::nullopt, 0, "mUTTI", "D"},
                      FilterFall{"umlaut_in_any_case", std::nullopt, 0, "B\u00dcRO", "F"},
                      FilterFall{"quote", std::nullopt, 0, "\"17\"", "B"},
                      FilterFall{"month_and_zone", std::pair{1996, 11}, 1, "", "A"},
                      FilterFall{"all_three", std::pair{1996, 12}, 4, "089", "D"},
                      FilterFall{"nothing", std::nullopt, 0, "xyz", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalAusLogs, MonthsInCalendarOrder) {
    EXPECT_EQ(MonateIn(Modell().Daten()),
              (std::vector<std::pair<int, int>>{{1996, 11}, {1996, 12}, {1997, 1}}));
}

namespace {

// The rows of a report of sums, worked out by hand from the calls.
const std::vector<QStringList> AlleSummen{
    {"11/1996", "City", "1", "2", "0,24 DM"},        {"11/1996", "Region 50", "1", "4", "0,48 DM"},
    {"11/1996", "Fern", "1", "12", "1,44 DM"},       {"12/1996", "City", "1", "100", "12,00 DM"},
    {"12/1996", "Region 200", "1", "24", "2,88 DM"}, {"12/1996", "Fern", "1", "71", "8,52 DM"},
    {"01/1997", "City", "1", "2", "0,24 DM"},        {"Gesamt", "", "7", "215", "25,80 DM"},
};

std::vector<QStringList> Summenzeilen(const SummenModell& modell) {
    std::vector<QStringList> zeilen;
    for (int zeile = 0; zeile < modell.rowCount(); ++zeile) {
        zeilen.push_back(Zeile(modell, zeile));
    }
    return zeilen;
}

// The report of the command line, each line cut into the same five fields.
std::vector<QStringList> Kommandozeilensummen(const QStringList& dateien) {
    QString aus, fehler;
    QTextStream ausStrom(&aus), fehlerStrom(&fehler);
    EXPECT_EQ(FuehreKommandozeileAus(QStringList{"Tarvis32", "--auswertung"} + dateien, ausStrom,
                                     fehlerStrom),
              ExitOk);
    ausStrom.flush();
    std::vector<QStringList> zeilen;
    for (const QString& zeile : aus.split('\n', Qt::SkipEmptyParts).mid(1)) {
        const QString vorne = zeile.left(19);
        QStringList teile = zeile.mid(19).split(' ', Qt::SkipEmptyParts);
        const QString betrag = teile.value(2) + QStringLiteral(" DM");
        zeilen.push_back({vorne.left(9).trimmed(), vorne.mid(9).trimmed(), teile.value(0),
                          teile.value(1), betrag});
    }
    return zeilen;
}

} // namespace

TEST_F(JournalAusLogs, TheSumsAreThoseOfTheCommandLine) {
    SummenModell summen;
    summen.SetzeSummen(SummenVon(Modell().Daten(), Modell().Zeilen()));
    EXPECT_EQ(Summenzeilen(summen), AlleSummen);
    EXPECT_EQ(Kommandozeilensummen(logs.Alle()), AlleSummen);
    EXPECT_EQ(summen.index(7, 0).data(rolle::Gesamt), true);
    EXPECT_EQ(summen.index(4, 1).data(rolle::Zone), 3);
}

TEST_F(JournalAusLogs, TheSumsFollowTheFilter) {
    JournalModell& modell = Modell();
    modell.SetzeFilter({std::pair{1996, 12}, 0, ""});
    SummenModell summen;
    summen.SetzeSummen(SummenVon(modell.Daten(), modell.Zeilen()));
    EXPECT_EQ(Summenzeilen(summen),
              (std::vector<QStringList>{{"12/1996", "City", "1", "100", "12,00 DM"},
                                        {"12/1996", "Region 200", "1", "24", "2,88 DM"},
                                        {"12/1996", "Fern", "1", "71", "8,52 DM"},
                                        {"Gesamt", "", "3", "195", "23,40 DM"}}));
    // The December log alone gives the command line the same.
    EXPECT_EQ(Kommandozeilensummen({logs.Dezember()}), Summenzeilen(summen));
}

// Files of every kind among the logs: each gets its message, none stops the others, and none
// is changed by the reading.
TEST_F(JournalAusLogs, MissingEmptyBinaryAndOtherFilesGiveAMessageAndChangeNothing) {
    const QString leer = logs.Pfad("Tarvis 02-1997.Rep");
    QFile(leer).open(QIODevice::WriteOnly);
    const QString binaer = logs.Pfad("Tarvis 03-1997.Rep");
    {
        std::mt19937 zufall(14);
        QByteArray bytes;
        for (int i = 0; i < 200'000; ++i) {
            bytes += char(zufall() % 256);
        }
        QFile datei(binaer);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(bytes);
    }
    const QString fehlt = logs.Pfad("Tarvis 04-1997.Rep");
    const QString ordner = logs.Pfad("Tarvis 05-1997.Rep");
    QDir(logs.Ordner()).mkdir(QStringLiteral("Tarvis 05-1997.Rep"));
    const QString fifo = logs.Pfad("Tarvis 06-1997.Rep");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto vorher = logs.Stand();

    const Journal journal =
        LiesJournal({logs.November(), fehlt, leer, binaer, ordner, fifo, logs.Dezember()});
    ASSERT_EQ(journal.dateien.size(), 7u);
    QStringList meldungen;
    for (const DateiBericht& bericht : journal.dateien) {
        meldungen << Meldung(bericht);
    }
    auto native = [](const QString& pfad) { return QDir::toNativeSeparators(pfad); };
    EXPECT_EQ(meldungen,
              (QStringList{QString(),
                           "Die Datei \"" + native(fehlt) +
                               "\" kann nicht gelesen werden: Datei oder Verzeichnis nicht "
                               "gefunden.",
                           "Die Datei \"" + native(leer) + "\" ist leer.",
                           QString::fromUtf8("Die Datei \"") + native(binaer) +
                               QString::fromUtf8("\" enthält keine Anrufe."),
                           "Die Datei \"" + native(ordner) +
                               "\" kann nicht gelesen werden: Es ist ein Verzeichnis.",
                           QString::fromUtf8("Die Datei \"") + native(fifo) +
                               QString::fromUtf8("\" kann nicht gelesen werden: Es ist keine "
                                                 "gewöhnliche Datei."),
                           QString()}));
    EXPECT_EQ(journal.daten.Anzahl(), 6u);
    EXPECT_EQ(logs.Stand(), vorher);
}

namespace {

// A log whose device fails after its first block, as a disk that cannot be read further.
class BrichtAb final : public QIODevice {
public:
    explicit BrichtAb(QByteArray inhalt) : inhalt_(std::move(inhalt)) { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char* daten, qint64 hoechstens) override {
        if (gelesen_) {
            setErrorString(QStringLiteral("Ein-/Ausgabefehler"));
            return -1;
        }
        gelesen_ = true;
        const qint64 n = std::min<qint64>(hoechstens, inhalt_.size());
        std::memcpy(daten, inhalt_.constData(), std::size_t(n));
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    QByteArray inhalt_;
    bool gelesen_ = false;
};

} // namespace

TEST_F(JournalAusLogs, AFileThatFailsHalfwayAddsNoneOfItsCalls) {
    JournalSammler sammler;
    QFile november(logs.November());
    ASSERT_TRUE(november.open(QIODevice::ReadOnly));
    ASSERT_TRUE(sammler.Lies(november, logs.November()));
    BrichtAb kaputt(test::ReadAll(logs.Dezember()) + "07.12.96   kaputt\r\n");
    EXPECT_FALSE(sammler.Lies(kaputt, logs.Dezember()));
    const Journal journal = std::move(sammler).Ergebnis();
    EXPECT_EQ(Kennungen(journal.daten, InDateiFolge(journal.daten)), "ABC");
    EXPECT_EQ(journal.dateien[1].stand, DateiBericht::Stand::NichtLesbar);
    EXPECT_EQ(journal.dateien[1].grund, QStringLiteral("Ein-/Ausgabefehler"));
    EXPECT_EQ(journal.fehlerAnzahl, 1); // the November one only
    // The texts of the calls kept are still whole.
    EXPECT_EQ(journal.daten.Kommentar(journal.daten[1]), "Bestellung; Nr. \"17\"");
}

TEST_F(JournalAusLogs, StoppingTheReadingLeavesOutTheFileItWasIn) {
    const Journal journal =
        LiesJournal(logs.Alle(), [](std::int64_t, std::int64_t) { return false; });
    EXPECT_TRUE(journal.abgebrochen);
    EXPECT_EQ(journal.daten.Anzahl(), 0u);
    EXPECT_EQ(journal.dateien.size(), 1u);
}

namespace {

// The November and December logs as CSV, written out by hand.
const QByteArray CsvNovemberDezember =
    "Datum;Start;Stop;Dauer;Telefonnummer;Zone;Einheiten;Kosten;Kommentar\r\n"
    "04.11.1996;09:12:40;09:15:02;\"00:02:22,4\";0711 123456;City;2;\"0,24\";Zahnarzt\r\n"
    "15.11.1996;20:05:00;20:07:42;\"00:02:42,0\";07031 88213;Region 50;4;\"0,48\";"
    "\"Bestellung; Nr. \"\"17\"\"\"\r\n"
    "28.11.1996;08:10:00;08:13:30;\"00:03:30,2\";089 4471120;Fern;12;\"1,44\";\r\n"
    "03.12.1996;19:20:00;19:58:10;\"00:38:10,0\";089 4471120;Fern;71;\"8,52\";Mutti\r\n"
    "31.12.1996;23:50:00;01.01.1997 00:12:30;\"00:22:30,0\";0621 339940;Region 200;24;"
    "\"2,88\";Neujahr\r\n"
    "14.12.1996;11:00:00;11:25:00;\"00:25:00,0\";0711 654321;City;100;\"12,00\";"
    "B\xC3\xBCro\r\n";

QByteArray Csv(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen) {
    QByteArray bytes;
    EXPECT_TRUE(SchreibeCsv(daten, zeilen, [&](std::string_view stueck) {
        bytes.append(stueck.data(), qsizetype(stueck.size()));
        return true;
    }));
    return bytes;
}

} // namespace

TEST_F(JournalAusLogs, CsvBytesOfASmallJournal) {
    const Journal journal = LiesJournal({logs.November(), logs.Dezember()});
    EXPECT_EQ(Csv(journal.daten, InDateiFolge(journal.daten)), CsvNovemberDezember);
}

TEST_F(JournalAusLogs, CsvOfTheCommandLineIsTheSameBytes) {
    QByteArray aus;
    QString fehler;
    QBuffer puffer(&aus);
    ASSERT_TRUE(puffer.open(QIODevice::WriteOnly));
    QTextStream ausStrom(&puffer), fehlerStrom(&fehler);
    EXPECT_EQ(FuehreKommandozeileAus(
                  {"Tarvis32", "--auswertung", logs.November(), logs.Dezember(), "--csv"}, ausStrom,
                  fehlerStrom),
              ExitOk);
    ausStrom.flush();
    fehlerStrom.flush();
    EXPECT_EQ(aus, CsvNovemberDezember);
    // The damaged line is reported as by the report.
    EXPECT_EQ(fehler, QDir::toNativeSeparators(logs.November()) +
                          QString::fromUtf8(":9: Zeile nicht lesbar (\"DM\" fehlt am Zeilenende), "
                                            "übergangen\n"));
}

TEST_F(JournalAusLogs, CsvOfTheCommandLineStopsAtALogItCannotRead) {
    QString aus, fehler;
    QTextStream ausStrom(&aus), fehlerStrom(&fehler);
    EXPECT_EQ(FuehreKommandozeileAus(
                  {"Tarvis32", "--auswertung", logs.November(), logs.Pfad("fehlt.Rep"), "--csv"},
                  ausStrom, fehlerStrom),
              ExitDatei);
    ausStrom.flush();
    EXPECT_TRUE(aus.isEmpty());
    EXPECT_EQ(FuehreKommandozeileAus({"Tarvis32", "--csv", logs.November()}, ausStrom, fehlerStrom),
              ExitEingabe);
}

namespace {

// A journal of calls made by hand, one per number and comment given, all on 1.3.1997.
JournalDaten HandJournal(const std::vector<std::pair<std::string, std::string>>& gespraeche,
                         std::int64_t einheiten = 1) {
    JournalDaten daten;
    for (const auto& [telefon, kommentar] : gespraeche) {
        Gespraech satz;
        satz.startDatum = year{1997} / 3 / 1;
        satz.startSekunde = 36'000;
        satz.telefon = telefon;
        satz.zone = 1;
        satz.einheiten = einheiten;
        satz.kostenPfennig = einheiten * 12;
        satz.kommentar = kommentar;
        EXPECT_TRUE(daten.Dazu(satz));
    }
    return daten;
}

} // namespace

// Every call comes back as it was given, whether it is kept in 32 bytes or, with a figure, a time
// or a stop day beyond them, whole; also after the journal is cut back to before it.
struct AblageFall {
    const char* name;
    std::function<void(Gespraech&)> aendern;
};
void PrintTo(const AblageFall& fall, std::ostream* os) {
    *os << fall.name;
}
class Ablage : public ::testing::TestWithParam<AblageFall> {};

TEST_P(Ablage, EveryCallComesBackAsGiven) {
    Gespraech gewoehnlich;
    gewoehnlich.startDatum = year{1997} / 3 / 1;
    gewoehnlich.startSekunde = 86'399;
    gewoehnlich.stopDatum = year{1997} / 3 / 2;
    gewoehnlich.stopSekunde = 59;
    gewoehnlich.dauerMs = 60'000;
    gewoehnlich.telefon = "0711 123";
    gewoehnlich.zone = 4;
    gewoehnlich.einheiten = 3;
    gewoehnlich.kostenPfennig = 36;
    gewoehnlich.kommentar = "Büro";
    Gespraech fall = gewoehnlich;
    GetParam().aendern(fall);
    auto pruefe = [](const JournalDaten& daten, std::size_t i, const Gespraech& g) {
        const JournalSatz satz = daten[i];
        EXPECT_EQ(satz.einheiten, g.einheiten);
        EXPECT_EQ(satz.kostenPfennig, g.kostenPfennig);
        EXPECT_EQ(satz.dauerMs, g.dauerMs.value_or(JournalSatz::Unbekannt));
        EXPECT_EQ(satz.StartDatum(), g.startDatum);
        EXPECT_EQ(satz.startSekunde, g.startSekunde.value_or(JournalSatz::Unbekannt));
        EXPECT_EQ(satz.StopDatum(), g.stopDatum);
        EXPECT_EQ(satz.stopSekunde, g.stopSekunde.value_or(JournalSatz::Unbekannt));
        EXPECT_EQ(satz.zone, std::uint8_t(g.zone));
        EXPECT_EQ(daten.Telefon(satz), g.telefon);
        EXPECT_EQ(daten.Kommentar(satz), g.kommentar);
    };
    JournalDaten daten;
    for (int runde = 0; runde < 2; ++runde) {
        ASSERT_TRUE(daten.Dazu(fall));
        ASSERT_TRUE(daten.Dazu(gewoehnlich));
        ASSERT_TRUE(daten.Dazu(fall));
        pruefe(daten, 0, fall);
        pruefe(daten, 1, gewoehnlich);
        pruefe(daten, 2, fall);
        daten.Kuerzen(1);
        ASSERT_EQ(daten.Anzahl(), 1u);
        pruefe(daten, 0, fall);
        daten.Kuerzen(0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ablagen, Ablage,
    ::testing::Values(
        AblageFall{"gewoehnlich", [](Gespraech&) {}},
        AblageFall{"ohne_Kommentar_und_Nummer",
                   [](Gespraech& g) { g.kommentar.clear(), g.telefon.clear(); }},
        AblageFall{"Zeiten_unbekannt",
                   [](Gespraech& g) {
                       g.startSekunde.reset(), g.stopSekunde.reset(), g.dauerMs.reset();
                       g.stopDatum.reset();
                   }},
        AblageFall{"Einheiten_ueber_32_Bit", [](Gespraech& g) { g.einheiten = 1ll << 31; }},
        AblageFall{"Kosten_unter_32_Bit", [](Gespraech& g) { g.kostenPfennig = -(1ll << 31) - 1; }},
        AblageFall{"Dauer_ueber_24_Tage", [](Gespraech& g) { g.dauerMs = 1ll << 32; }},
        AblageFall{"Sekunde_ueber_17_Bit", [](Gespraech& g) { g.stopSekunde = 1 << 17; }},
        AblageFall{"Sekunde_negativ", [](Gespraech& g) { g.startSekunde = -2; }},
        AblageFall{"Stopp_vor_dem_Start", [](Gespraech& g) { g.stopDatum = year{1997} / 2 / 28; }},
        AblageFall{"Stopp_Jahrzehnte_spaeter",
                   [](Gespraech& g) { g.stopDatum = year{2097} / 3 / 1; }},
        AblageFall{"Zone_ueber_7", [](Gespraech& g) { g.zone = 9; }}),
    [](const auto& info) { return std::string(info.param.name); });

// Comments sort as a German index has them: case and accents aside, umlauts beside their
// vowels; numbers by their digits, then as written; equal texts in file order.
struct TextSortFall {
    const char* name;
    std::vector<std::string> texte; // in file order
    const char* folge;              // the calls by their place in the file, 'a' the first
    Spalte spalte = Spalte::Kommentar;
    bool absteigend = false;
};
void PrintTo(const TextSortFall& fall, std::ostream* os) {
    *os << fall.name;
}
class TextSort : public ::testing::TestWithParam<TextSortFall> {};

TEST_P(TextSort, SortsCommentsAsAGermanReaderExpects) {
    std::vector<std::pair<std::string, std::string>> gespraeche;
    for (const std::string& text : GetParam().texte) {
        if (GetParam().spalte == Spalte::Telefon) {
            gespraeche.emplace_back(text, "");
        } else {
            gespraeche.emplace_back("0711", text);
        }
    }
    const JournalDaten daten = HandJournal(gespraeche);
    std::string folge;
    for (const std::uint32_t i : Sortiert(daten, GetParam().spalte, GetParam().absteigend)) {
        folge += char('a' + i);
    }
    EXPECT_EQ(folge, GetParam().folge);
}

INSTANTIATE_TEST_SUITE_P(
    Texte, TextSort,
    ::testing::Values(
        // By bytes: OMA, Zahnarzt, oma.
        TextSortFall{"case_folded", {"OMA", "Zahnarzt", "oma"}, "acb"},
        // By bytes: Zahnarzt before Ärztin.
        TextSortFall{"umlaut_beside_its_vowel", {"Zahnarzt", "\u00c4rztin", "Amt"}, "cba"},
        // "ß" beside "ss", both before "Strauss".
        TextSortFall{"sharp_s", {"Strauss", "Stra\u00dfe", "Strasse"}, "cba"},
        TextSortFall{"equal_texts_keep_file_order", {"b", "a", "b", "a"}, "bdac"},
        TextSortFall{"empty_first", {"x", ""}, "ba"},
        // By bytes or a collator: "(0711) 2" first.
        TextSortFall{"number_by_digits", {"(0711) 2", "0711 1", "07111"}, "bca", Spalte::Telefon},
        TextSortFall{"number_by_digits_descending",
                     {"(0711) 2", "0711 1", "07111"},
                     "acb",
                     Spalte::Telefon,
                     true},
        TextSortFall{
            "number_before_its_longer_ones", {"07111", "0711", "0"}, "cba", Spalte::Telefon},
        TextSortFall{"number_leading_zero_counts", {"711", "0711", ""}, "cba", Spalte::Telefon},
        TextSortFall{"number_beyond_32_digits",
                     {std::string(33, '1') + "2", std::string(33, '1') + "1", std::string(33, '1')},
                     "cba",
                     Spalte::Telefon},
        // As written: a first, its blank before b's 33rd digit.
        TextSortFall{"number_digits_beyond_32_before_the_written_form",
                     {std::string(32, '1') + " 2", std::string(32, '1') + "1"},
                     "ba",
                     Spalte::Telefon},
        // Two calls leave 15 digits a round: the 16th is the next round's, and the first
        // digit's bits are kept whole.
        TextSortFall{"number_of_more_digits_than_a_round",
                     {"9111111111111111", "3111111111111111"},
                     "ba",
                     Spalte::Telefon},
        TextSortFall{"equal_numbers_keep_file_order_descending",
                     {"1", "2", "1", "2"},
                     "bdac",
                     Spalte::Telefon,
                     true}),
    [](const auto& info) { return std::string(info.param.name); });

// The sums per telephone number: numbers written differently are one number when their
// digits are, named as their first call has it; sorted by any column, the total stays last.
TEST(TelefonSummen, NumbersAreComparedByTheirDigits) {
    const JournalDaten daten = HandJournal({{"0711 123456", ""},
                                            {"089 4471120", ""},
                                            {"0711/123456", ""},
                                            {"+49 89 4471120", ""},
                                            {"0711-123456", ""},
                                            {"", ""}},
                                           2);
    SummenModell summen;
    const std::vector<std::uint32_t> alle = InDateiFolge(daten);
    summen.SetzeSummen(SummenVon(daten, alle),
                       SummenJeTelefon(std::make_shared<const JournalDaten>(daten), alle));
    summen.SetzeGruppe(SummenModell::Gruppe::Telefon);
    EXPECT_EQ(summen.columnCount(), 4);
    EXPECT_EQ(Summenzeilen(summen),
              (std::vector<QStringList>{{"0711 123456", "3", "6", "0,72 DM"},
                                        {"089 4471120", "1", "2", "0,24 DM"},
                                        {"+49 89 4471120", "1", "2", "0,24 DM"},
                                        {"", "1", "2", "0,24 DM"},
                                        {"Gesamt", "6", "12", "1,44 DM"}}));
    summen.sort(1, Qt::AscendingOrder);
    EXPECT_EQ(Zeile(summen, 0)[0], "089 4471120");
    EXPECT_EQ(Zeile(summen, 3)[0], "0711 123456");
    EXPECT_EQ(Zeile(summen, 4)[0], "Gesamt");
    summen.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(Zeile(summen, 0)[0], "+49 89 4471120"); // digits 4989...
    EXPECT_EQ(Zeile(summen, 3)[0], "");
    EXPECT_EQ(Zeile(summen, 4)[0], "Gesamt");
    // The export has the rows as shown, the cost with its decimal comma.
    EXPECT_EQ(summen.Tabelle()[0], (std::vector<std::string>{"+49 89 4471120", "1", "2", "0,24"}));
    // Back to month and zone: the report's rows in the report's order.
    summen.SetzeGruppe(SummenModell::Gruppe::MonatUndZone);
    EXPECT_EQ(Summenzeilen(summen),
              (std::vector<QStringList>{{"03/1997", "City", "6", "12", "1,44 DM"},
                                        {"Gesamt", "", "6", "12", "1,44 DM"}}));
}

// The window's sums group their digits as its counts do; the command line's report keeps its
// columns as they were.
struct GruppenFall {
    const char* zahl;
    const char* gruppiert;
};
class Gruppierung : public ::testing::TestWithParam<GruppenFall> {};

TEST_P(Gruppierung, GroupsTheDigitsBeforeTheDecimalSeparator) {
    const QLocale deutsch(QLocale::German, QLocale::Germany);
    EXPECT_EQ(Gruppiert(ZahlText(GetParam().zahl, deutsch), deutsch),
              QString::fromUtf8(GetParam().gruppiert));
}

INSTANTIATE_TEST_SUITE_P(Zahlen, Gruppierung,
                         ::testing::Values(GruppenFall{"0.24", "0,24"}, GruppenFall{"999", "999"},
                                           GruppenFall{"15476", "15.476"},
                                           GruppenFall{"69067.20", "69.067,20"},
                                           GruppenFall{"1234567", "1.234.567"},
                                           GruppenFall{"-1234.00", "-1.234,00"}));

TEST(TelefonSummen, TheSumsTableGroupsItsDigits) {
    const JournalDaten daten = HandJournal({{"0711", ""}}, 15'476);
    SummenModell summen;
    summen.SetzeSummen(SummenVon(daten, InDateiFolge(daten)));
    EXPECT_EQ(Zeile(summen, 0), (QStringList{"03/1997", "City", "1", "15.476", "1.857,12 DM"}));
}

// The export writes the calls shown in file order whatever the table's order; a filter worked
// out elsewhere is taken only while the calls and their order are those it was made from.
TEST_F(JournalAusLogs, ExportOrderAndFiltersWorkedOutElsewhere) {
    JournalModell& modell = Modell();
    modell.SetzeFilter({std::nullopt, 1, ""});
    modell.sort(int(Spalte::Kosten), Qt::DescendingOrder);
    EXPECT_EQ(Kennungen(modell), "FAG");
    EXPECT_EQ(Kennungen(modell.Daten(), modell.ZeilenInDateiFolge()), "AFG");
    // The sums per number take the calls in the order of their files, whatever the order shown.
    FilterAuftrag jeNummer = modell.Auftrag({std::nullopt, 1, ""});
    jeNummer.jeTelefon = true;
    const FilterErgebnis summen = FuehreAus(jeNummer);
    ASSERT_TRUE(summen.telefon);
    EXPECT_EQ(summen.telefon->Nummer(0), "0711 123456");
    EXPECT_EQ(summen.telefon->nummern[0].gespraeche, 2u);

    FilterAuftrag auftrag = modell.Auftrag({std::nullopt, 4, ""});
    auftrag.jeTelefon = true;
    FilterErgebnis ergebnis = FuehreAus(auftrag);
    EXPECT_EQ(Kennungen(modell.Daten(), *ergebnis.zeilen), "DC");
    ASSERT_TRUE(ergebnis.telefon);
    EXPECT_EQ(ergebnis.telefon->nummern.Anzahl(), 1u);
    EXPECT_TRUE(modell.Uebernimm(ergebnis));
    EXPECT_EQ(Kennungen(modell), "DC");
    EXPECT_EQ(modell.Filter().zone, 4);

    const FilterErgebnis veraltet = FuehreAus(modell.Auftrag({std::nullopt, 1, ""}));
    modell.sort(-1);
    EXPECT_FALSE(modell.Uebernimm(veraltet));
    EXPECT_EQ(Kennungen(modell), "CD");
}

// The sums per number of many calls to many numbers, each written in two ways, against a plain
// count by the numbers' digits: the table of numbers grows past its first size, the sums fill
// more than one block or grow beyond 32 bits, and each column's order is the stable sort of
// its figures.
struct VieleNummernFall {
    const char* name;
    int gespraeche;
    int nummern;
    std::int64_t einheitenMal = 1; // the units of a call: 0..4 times this
};
void PrintTo(const VieleNummernFall& fall, std::ostream* os) {
    *os << fall.name;
}
class VieleNummern : public ::testing::TestWithParam<VieleNummernFall> {};

TEST_P(VieleNummern, SumsAndOrdersAreThoseOfAPlainCount) {
    std::mt19937 zufall(28);
    auto daten = std::make_shared<JournalDaten>();
    for (int i = 0; i < GetParam().gespraeche; ++i) {
        Gespraech satz;
        satz.startDatum = year{1997} / 3 / 1;
        const auto nummer = std::to_string(zufall() % unsigned(GetParam().nummern));
        satz.telefon = zufall() % 2 == 0 ? "0711 " + nummer : "0711" + nummer;
        satz.zone = 1;
        satz.einheiten = std::int64_t(zufall() % 5) * GetParam().einheitenMal;
        satz.kostenPfennig = satz.einheiten * 12;
        ASSERT_TRUE(daten->Dazu(satz));
    }
    struct Erwartet {
        std::uint32_t erster;
        LogSumme summe;
    };
    std::map<std::string, std::size_t> stelleVon;
    std::vector<Erwartet> erwartet;
    for (std::uint32_t i = 0; i < daten->Anzahl(); ++i) {
        const std::string ziffern = Ziffern(daten->Telefon((*daten)[i]));
        const auto [stelle, neu] = stelleVon.emplace(ziffern, erwartet.size());
        if (neu) {
            erwartet.push_back({i, {}});
        }
        ASSERT_TRUE(erwartet[stelle->second].summe.Dazu(daten->FuerSumme((*daten)[i])));
    }
    const std::optional<TelefonSummen> summen = SummenJeTelefon(daten, InDateiFolge(*daten));
    ASSERT_TRUE(summen);
    ASSERT_EQ(summen->nummern.Anzahl(), erwartet.size());
    for (std::size_t i = 0; i < erwartet.size(); ++i) {
        ASSERT_EQ(summen->Nummer(i), daten->Telefon((*daten)[erwartet[i].erster])) << i;
        ASSERT_EQ(summen->nummern[i].Summe(), erwartet[i].summe) << i;
    }
    for (std::size_t spalte = 0; spalte < TelefonSummen::SpaltenAnzahl; ++spalte) {
        std::vector<std::uint32_t> folge(erwartet.size());
        std::iota(folge.begin(), folge.end(), 0u);
        std::stable_sort(folge.begin(), folge.end(), [&](std::uint32_t a, std::uint32_t b) {
            return spalte == 0 ? Ziffern(summen->Nummer(a)) < Ziffern(summen->Nummer(b))
                               : summen->Wert(a, spalte) < summen->Wert(b, spalte);
        });
        std::vector<std::uint32_t> gemacht(erwartet.size());
        for (std::size_t k = 0; k < gemacht.size(); ++k) {
            gemacht[k] = summen->Aufsteigend(spalte, k);
        }
        EXPECT_EQ(gemacht, folge) << "Spalte " << spalte;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Nummern, VieleNummern,
    ::testing::Values(VieleNummernFall{"past_the_tables_first_size", 3000, 2000},
                      VieleNummernFall{"past_a_block_of_sums", 80'000, 60'000},
                      // Each sum passes 2^31 on the way and is kept whole from then on.
                      VieleNummernFall{"sums_beyond_32_bits", 3000, 40, 1'000'000'000}),
    [](const auto& info) { return std::string(info.param.name); });

// A figure of the sums of a number beyond its counter's range makes them unusable, as the
// total's does; at the very limit they still count.
struct UeberlaufFall {
    const char* name;
    std::int64_t einheiten;
    std::int64_t kostenPfennig;
    std::int64_t dazuEinheiten;
    std::int64_t dazuKosten;
    bool gezaehlt;
};
void PrintTo(const UeberlaufFall& fall, std::ostream* os) {
    *os << fall.name;
}
class Ueberlauf : public ::testing::TestWithParam<UeberlaufFall> {};

TEST_P(Ueberlauf, ASumBeyondItsCounterAddsNothing) {
    const UeberlaufFall& fall = GetParam();
    TelefonSumme summe{7, 1, fall.einheiten, fall.kostenPfennig};
    const TelefonSumme vorher = summe;
    EXPECT_EQ(summe.Dazu(fall.dazuEinheiten, fall.dazuKosten), fall.gezaehlt);
    LogSumme erwartet = vorher.Summe();
    if (fall.gezaehlt) {
        erwartet = {2, fall.einheiten + fall.dazuEinheiten, fall.kostenPfennig + fall.dazuKosten};
    }
    EXPECT_EQ(summe.Summe(), erwartet);
    // The same as the sums per month and zone decide.
    LogSumme monat = vorher.Summe();
    EXPECT_EQ(monat.Dazu(LogSumme{1, fall.dazuEinheiten, fall.dazuKosten}), fall.gezaehlt);
}

INSTANTIATE_TEST_SUITE_P(
    Grenzen, Ueberlauf,
    ::testing::Values(
        UeberlaufFall{"units_at_the_limit", std::numeric_limits<std::int64_t>::max() - 1, 0, 1, 0,
                      true},
        UeberlaufFall{"units_beyond", std::numeric_limits<std::int64_t>::max(), 0, 1, 0, false},
        UeberlaufFall{"cost_beyond", 0, std::numeric_limits<std::int64_t>::max() - 5, 0, 6, false},
        UeberlaufFall{"cost_below", 0, std::numeric_limits<std::int64_t>::min() + 5, 0, -6, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A generated journal of many calls to few numbers and comments, written in several ways, of
// few and of widely spread figures, some times unknown: sorted by any column in either
// direction, it has the order of a plain stable sort by the values (digits then the text as
// written; the German collation; the column's value), so equal values stay in file order.
TEST(JournalSortGenerated, EveryOrderIsTheStableSortOfTheValues) {
    std::vector<std::string> nummern{"0711 123456",
                                     "0711123456",
                                     "(0711) 12 34 56",
                                     "0711 12345",
                                     "089 4471120",
                                     "089/4471120",
                                     "0621 339940",
                                     "",
                                     "12345678901234567890123456789012345",
                                     "1234567890123456789012345678901234",
                                     "711 123456"};
    // Many numbers of a few calls each: their sums have many equal figures.
    for (int i = 0; i < 60; ++i) {
        nummern.push_back("07031 " + std::to_string(100 + i));
    }
    const std::vector<std::string> kommentare{
        "",         "Oma",         "oma",         "OMA",     "\u00d6l",  "Ol",
        "Zahnarzt", "\u00c4rztin", "Stra\u00dfe", "Strasse", "B\u00fcro"};
    std::mt19937 zufall(28);
    JournalDaten daten;
    for (int i = 0; i < 3000; ++i) {
        Gespraech satz;
        satz.startDatum = year{1997} / 3 / int(1 + zufall() % 3);
        if (zufall() % 8 != 0) {
            satz.startSekunde = int(zufall() % 86'400);
            satz.stopSekunde = int(zufall() % 86'400);
        }
        if (zufall() % 2 != 0) {
            satz.stopDatum = year{1997} / 3 / int(1 + zufall() % 4);
        }
        if (zufall() % 8 != 0) {
            satz.dauerMs = std::int64_t(zufall() % 4) * 100'000'000;
        }
        satz.telefon = nummern[zufall() % nummern.size()];
        satz.kommentar = kommentare[zufall() % kommentare.size()];
        satz.zone = int(1 + zufall() % 4);
        // Beyond 2^32 apart, or a few small ones.
        satz.einheiten = std::int64_t(zufall() % 20) * (i % 2 == 0 ? 1 : 999'999'999'999 / 20);
        satz.kostenPfennig = std::int64_t(zufall() % 20) * 12;
        ASSERT_TRUE(daten.Dazu(satz));
    }
    QCollator ordnung{QLocale(QLocale::German, QLocale::Germany)};
    ordnung.setCaseSensitivity(Qt::CaseInsensitive);
    auto vergleiche = [&](Spalte spalte, std::uint32_t a, std::uint32_t b) -> int {
        const JournalSatz &x = daten[a], &y = daten[b];
        switch (spalte) {
        case Spalte::Telefon: {
            const std::string za = Ziffern(daten.Telefon(x)), zb = Ziffern(daten.Telefon(y));
            return za != zb ? za.compare(zb) : daten.Telefon(x).compare(daten.Telefon(y));
        }
        case Spalte::Kommentar:
            return ordnung.compare(AlsQString(daten.Kommentar(x)), AlsQString(daten.Kommentar(y)));
        default: {
            const std::int64_t wx = Zahlenwert(x, spalte), wy = Zahlenwert(y, spalte);
            return wx < wy ? -1 : wx > wy;
        }
        }
    };
    for (int s = 0; s < SpaltenAnzahl; ++s) {
        const auto spalte = Spalte(s);
        for (const bool absteigend : {false, true}) {
            std::vector<std::uint32_t> erwartet = InDateiFolge(daten);
            std::stable_sort(erwartet.begin(), erwartet.end(), [&](auto a, auto b) {
                const int wert = vergleiche(spalte, a, b);
                return absteigend ? wert > 0 : wert < 0;
            });
            EXPECT_EQ(Sortiert(daten, spalte, absteigend), erwartet)
                << SpaltenName[std::size_t(spalte)] << (absteigend ? " absteigend" : "");
        }
    }

    // The sums per number likewise, by the orders made with them; the total stays last.
    SummenModell summen;
    const std::vector<std::uint32_t> alle = InDateiFolge(daten);
    summen.SetzeSummen(SummenVon(daten, alle),
                       SummenJeTelefon(std::make_shared<const JournalDaten>(daten), alle));
    summen.SetzeGruppe(SummenModell::Gruppe::Telefon);
    std::vector<QStringList> zeilen = Summenzeilen(summen);
    const QStringList gesamt = zeilen.back();
    zeilen.pop_back();
    auto wert = [](const QStringList& zeile, int spalte) {
        return spalte == 0
                   ? Ziffern(zeile[0].toStdString())
                   : QString(zeile[spalte]).remove(QRegularExpression("[^0-9]")).toStdString();
    };
    for (int spalte = 0; spalte < summen.columnCount(); ++spalte) {
        for (const bool absteigend : {false, true}) {
            std::vector<QStringList> erwartet = zeilen;
            std::stable_sort(erwartet.begin(), erwartet.end(), [&](const auto& a, const auto& b) {
                const std::string wa = wert(a, spalte), wb = wert(b, spalte);
                // Figures compare as numbers: the longer is the greater.
                const auto schluessel = [&](const std::string& w) {
                    return spalte == 0 ? std::pair(std::size_t(0), w) : std::pair(w.size(), w);
                };
                return absteigend ? schluessel(wb) < schluessel(wa)
                                  : schluessel(wa) < schluessel(wb);
            });
            erwartet.push_back(gesamt);
            summen.sort(spalte, absteigend ? Qt::DescendingOrder : Qt::AscendingOrder);
            EXPECT_EQ(Summenzeilen(summen), erwartet)
                << "Summen je Telefonnummer, Spalte " << spalte
                << (absteigend ? " absteigend" : "");
        }
    }
}

// More rows than a part come to the view in parts, over turns of the event loop; a sort or a
// filter shown meanwhile has every row.
TEST(JournalTeile, RowsComeInPartsAndEveryChangeHasThemAll) {
    JournalModell modell(nullptr, 3);
    int eingefuegt = 0;
    QObject::connect(
        &modell, &QAbstractItemModel::rowsInserted, &modell,
        [&](const QModelIndex&, int erste, int letzte) { eingefuegt += letzte - erste + 1; });
    auto telefon = [&](int zeile) {
        return modell.index(zeile, int(Spalte::Telefon)).data().toString();
    };
    auto nachgereicht = [&] {
        QElapsedTimer seit;
        seit.start();
        while (modell.ReichtNach() && seit.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
        return modell.rowCount();
    };
    const auto neu = [] {
        return HandJournal(
            {{"5", ""}, {"3", ""}, {"7", ""}, {"1", ""}, {"6", ""}, {"2", ""}, {"4", ""}});
    };
    modell.SetzeDaten(neu());
    EXPECT_EQ(modell.rowCount(), 3);
    EXPECT_EQ(nachgereicht(), 7);
    EXPECT_EQ(eingefuegt, 4);
    EXPECT_EQ(telefon(6), "4");

    modell.SetzeDaten(neu());
    modell.sort(int(Spalte::Telefon), Qt::AscendingOrder);
    ASSERT_EQ(modell.rowCount(), 7);
    EXPECT_EQ(telefon(0), "1");
    EXPECT_EQ(telefon(6), "7");

    modell.SetzeDaten(neu());
    modell.SetzeFilter({std::nullopt, 0, "7"});
    ASSERT_EQ(modell.rowCount(), 1);
    EXPECT_EQ(telefon(0), "7");
    modell.SetzeFilter({});
    EXPECT_EQ(modell.rowCount(), 3);
    EXPECT_EQ(nachgereicht(), 7);
}

// A sort handed to a Sortierer leaves the order shown until its result is taken; the result of
// an older request, or of calls since replaced, is refused and never shown.
TEST_F(JournalAusLogs, AStaleSortResultIsNeverShown) {
    JournalModell& modell = Modell();
    std::vector<SortAuftrag> auftraege;
    modell.SetzeSortierer([&](SortAuftrag auftrag) { auftraege.push_back(std::move(auftrag)); });
    modell.SetzeFilter({std::nullopt, 1, ""});
    modell.sort(int(Spalte::Kosten), Qt::DescendingOrder);
    modell.sort(int(Spalte::Kosten), Qt::AscendingOrder);
    ASSERT_EQ(auftraege.size(), 2u);
    EXPECT_TRUE(modell.SortLaeuft());
    EXPECT_EQ(Kennungen(modell), "AFG");

    const SortErgebnis alt = Sortiere(auftraege[0]);
    EXPECT_TRUE(modell.Uebernimm(Sortiere(auftraege[1])));
    EXPECT_FALSE(modell.SortLaeuft());
    EXPECT_EQ(Kennungen(modell), "AGF"); // the filter kept
    EXPECT_FALSE(modell.Uebernimm(alt));
    EXPECT_EQ(Kennungen(modell), "AGF");

    // The order of the files is shown at once and makes a sort still working stale.
    modell.sort(int(Spalte::Kosten), Qt::DescendingOrder);
    modell.sort(-1);
    EXPECT_FALSE(modell.SortLaeuft());
    EXPECT_FALSE(modell.Uebernimm(Sortiere(auftraege[2])));
    EXPECT_EQ(Kennungen(modell), "AFG");

    // New calls: shown in file order until the sort asked for is done on them.
    modell.sort(int(Spalte::Kosten), Qt::DescendingOrder);
    const SortErgebnis vorDenNeuen = Sortiere(auftraege[3]);
    modell.SetzeDaten(Lies().daten);
    ASSERT_EQ(auftraege.size(), 5u);
    EXPECT_FALSE(modell.Uebernimm(vorDenNeuen));
    EXPECT_EQ(Kennungen(modell), "AFG");
    EXPECT_TRUE(modell.Uebernimm(Sortiere(auftraege[4])));
    EXPECT_EQ(Kennungen(modell), "FAG");
}

} // namespace tarvis
