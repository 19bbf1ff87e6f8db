#include "calllog/LogWriter.h"
#include "support/SampleCall.h"
#include "support/TempDir.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarvis {
namespace {

using namespace std::chrono;

// A user's month of saves into a new log: every zone, numbers empty, full and too long,
// comments none, full, blank and with umlauts, a call across New Year, one of several days and
// one whose figures are wider than their columns. The bytes they give are kept in
// session.Rep; the log of any version must be those bytes exactly.
// A call of the session as the user saved it: the figures, the zone picked, what was typed.
struct Eintrag {
    GespraechVorZonenwahl anruf;
    int zone;
    QString telefon;
    QString kommentar;
};

std::vector<Eintrag> Sitzung() {
    const auto anruf = [](Datum tag, int h, int m, int s, std::int64_t dauerMs,
                          ZonenArray<std::int64_t> einheiten) {
        const Moment start = MomentAus(tag, h, m, s);
        return GespraechMit(start, start + seconds{(dauerMs + 500) / 1000}, dauerMs, einheiten);
    };
    const auto am = [](unsigned tag) { return year{1996} / 12 / day{tag}; };
    return {
        {test::BeispielAnruf(), 1, QStringLiteral("0711 123456"), QString()},
        {test::BeispielAnruf(), 2, QString(), QStringLiteral("Anruf bei Oma")},
        {anruf(am(2), 9, 0, 0, 90'000, {1, 4, 7, 8}), 3, QStringLiteral("089 12345678901"),
         QStringLiteral("Rückruf wegen Angebot 12/96!")},
        {anruf(am(2), 17, 59, 53, 10'830'400, {73, 241, 482, 505}), 4, QStringLiteral(u"Büro Köln"),
         QStringLiteral("   ")},
        {anruf(am(6), 23, 0, 0, 14'400'000, {60, 240, 400, 480}), 1, QStringLiteral("-"),
         QStringLiteral(u"Grüße an Jürgen")},
        {anruf(am(24), 20, 0, 0, 360'000'099, {1, 1, 1, 11'812}), 4, QString(), QString()},
        {anruf(am(31), 23, 58, 10, 271'000, {3, 9, 9, 27}), 4,
         QStringLiteral("0049 711 1234567890"), QString()},
        {anruf(am(31), 0, 0, 0, 0, {0, 0, 0, 0}), 2, QString(), QString()},
        {anruf(am(31), 12, 0, 0, 999, {12'345'678, 1, 999'999, 1'000'000}), 1, QStringLiteral("1"),
         QStringLiteral("x")},
        {anruf(am(31), 12, 0, 0, 999, {12'345'678, 1, 999'999, 1'000'000}), 3, QString(),
         QString()},
        {anruf(am(31), 12, 0, 0, 999, {12'345'678, 1, 999'999, 1'000'000}), 4,
         QStringLiteral(u"☎ 0711 😀 €"), QStringLiteral(u"Geburtstag 🎂")},
    };
}

TEST(LogSitzung, WritesTheBytesOfEveryEarlierVersion) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("Tarvis 12-1996.Rep"));
    for (const Eintrag& e : Sitzung()) {
        ASSERT_TRUE(AppendCallRecord(pfad, e.anruf.MitZone(e.zone, e.telefon, e.kommentar)));
    }
    const QByteArray geschrieben = test::ReadAll(pfad);
    // To look at the bytes, or to compare them with those of another build.
    if (const QByteArray ziel = qgetenv("TARVIS_SITZUNG_AUSGABE"); !ziel.isEmpty()) {
        QFile ausgabe(QString::fromLocal8Bit(ziel));
        ASSERT_TRUE(ausgabe.open(QIODevice::WriteOnly));
        ausgabe.write(geschrieben);
    }
    const QByteArray erwartet = test::ReadAll(QStringLiteral(TARVIS_SITZUNG));
    ASSERT_FALSE(erwartet.isEmpty());
    EXPECT_EQ(geschrieben.toStdString(), erwartet.toStdString());
}

} // namespace
} // namespace tarvis
