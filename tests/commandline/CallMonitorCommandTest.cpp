// --anrufmonitor: the router's address and port as it takes them, the log of each call's month,
// and its end with calls still queued.
#include "commandline/CallMonitorCommand.h"

#include "callmonitor/CallMonitorClient.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace tarvis;
using namespace std::chrono;

namespace {

struct ZielFall {
    const char* ziel;
    std::optional<std::pair<const char*, int>> erwartet;
};

class CallMonitorCommand : public ::testing::TestWithParam<ZielFall> {};

TEST_P(CallMonitorCommand, AddressAndPortFromTheCommandLine) {
    const auto werte = MonitorZiel(QString::fromUtf8(GetParam().ziel), {});
    ASSERT_EQ(werte.has_value(), GetParam().erwartet.has_value()) << GetParam().ziel;
    if (werte) {
        EXPECT_EQ(werte->adresse, QString::fromUtf8(GetParam().erwartet->first));
        EXPECT_EQ(werte->port, GetParam().erwartet->second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Anrufmonitor, CallMonitorCommand,
    ::testing::Values(ZielFall{"", std::pair{"fritz.box", 1012}},
                      ZielFall{"192.168.178.1", std::pair{"192.168.178.1", 1012}},
                      ZielFall{"router:1013", std::pair{"router", 1013}},
                      ZielFall{":1013", std::pair{"fritz.box", 1013}},
                      ZielFall{"[::1]:1013", std::pair{"::1", 1013}},
                      ZielFall{"::1", std::pair{"::1", 1012}}, ZielFall{"router:0", std::nullopt},
                      ZielFall{"router:x", std::nullopt}, ZielFall{"router:65536", std::nullopt}));

const Moment Beginn = MomentAus(year{1996} / 12 / 7, 14, 5, 33);

// The service's log is the one of each call's month, in the folder of the log it started with.
TEST(LogDesMonats, EachCallGoesIntoTheLogOfItsMonth) {
    const struct {
        Moment start;
        const char* pfad;
    } faelle[] = {{MomentAus(year{2026} / 12 / 31, 23, 59, 59), "/d/Tarvis 12-2026.Rep"},
                  {MomentAus(year{2027} / 1 / 1, 0, 0, 0), "/d/Tarvis 01-2027.Rep"},
                  {MomentAus(year{1996} / 2 / 29, 12), "/d/Tarvis 02-1996.Rep"}};
    for (const auto& fall : faelle) {
        const Gespraech g = GespraechMit(fall.start, fall.start, 0, {}).MitZone(1, {});
        EXPECT_EQ(LogDesMonats(QStringLiteral("/d/Tarvis 12-2026.Rep"), g),
                  QString::fromUtf8(fall.pfad));
    }
}

// SIGTERM with a call still queued: a short wait, then the call printed whole, and "not all
// saved" for the exit status.
TEST(AnrufmonitorBetrieb, EndWithQueuedCallsPrintsThemWhole) {
    QTemporaryDir ordner;
    test::FakeTime zeit{Beginn, 1000};
    class KeinWecker final : public Wecker {
        void Stelle(std::int64_t, std::function<void()>) override {}
        void Abbrechen() override {}
    } wecker;
    AnrufmonitorClient client(QStringLiteral("127.0.0.1"), 1, zeit.clock, zeit.counter, wecker);
    QString ausgabe, meldungen;
    QTextStream aus(&ausgabe), fehler(&meldungen);
    AnrufmonitorEinstellungen werte;
    werte.eigeneVorwahl = QStringLiteral("0711");
    // A directory where the log should be: no save can land.
    const QString log = ordner.filePath(QStringLiteral("Tarvis 12-1996.Rep"));
    ASSERT_TRUE(QDir().mkpath(log));
    AnrufmonitorBetrieb betrieb(client, werte, nullptr, log, aus, fehler);
    Q_EMIT client.Meldung({AnrufMeldung::Art::Begonnen, "0", "0711 5", Beginn, 1000, 0});
    Q_EMIT client.Meldung({AnrufMeldung::Art::Beendet, "0", "0711 5", Beginn, 1000, 61});
    EXPECT_TRUE(ausgabe.contains(QStringLiteral("wartet aufs Speichern"))) << ausgabe.toStdString();
    EXPECT_FALSE(betrieb.Beende(zeit.clock, zeit.counter, 0));
    const QStringList zeilen = ausgabe.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(zeilen.size(), 2);
    EXPECT_TRUE(zeilen[1].startsWith(QStringLiteral("nicht gespeichert (")));
    EXPECT_TRUE(zeilen[1].contains(QStringLiteral("für Tarvis 12-1996.Rep: 07.12.96")))
        << zeilen[1].toStdString();
    EXPECT_TRUE(zeilen[1].contains(QStringLiteral("0711 5"))) << zeilen[1].toStdString();
}

} // namespace
