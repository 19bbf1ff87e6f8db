// The call monitor against a fake router on 127.0.0.1: the client's reconnection, the main
// window following the router's calls, the settings dialog and --anrufmonitor.
#include "callmonitor/CallMonitorClient.h"

#include "calllog/LogFile.h"
#include "calllog/LogWriter.h"
#include "callmonitor/FakeRouter.h"
#include "callmonitor/MonitorOwner.h"
#include "callmonitor/window/CallMonitorDialog.h"
#include "commandline/CallMonitorCommand.h"
#include "monitor/window/MainWindow.h"
#include "support/FakeClock.h"
#include "support/FakeFileChooser.h"
#include "support/TempDir.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tarvis;
using namespace std::chrono;

namespace {

const Moment Samstag = MomentAus(year{1996} / 12 / 7, 14, 5, 33);
const QByteArray T = "07.12.96 14:05:33;";

// The records of the calls below, worked out by hand rather than by the program's own pricing,
// so that a pricing fault cannot pass unseen. Every call falls on Saturday 7.12.1996 in the
// afternoon: a weekend day between 05:00 and 21:00, where a City unit lasts 150 s. The first
// unit is charged at the start and one more each time 150 s have run, so a call of up to 150 s
// costs 1 unit, one of up to 300 s 2 units, at 0,12 DM a unit.
namespace Satz {
// 219 s from 14:05:33: 2 units.
const char* const Ortsgespraech219 = "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,0   "
                                     "0711 123456       City              2        0,24 DM";
// 100 s from 14:05:43: 1 unit.
const char* const Neben100 = "07.12.96   14:05:43   07.12.96   14:07:23   00:01:40,0   "
                             "0711 99           City              1        0,12 DM";
// 42 s from 14:07:23: 1 unit.
const char* const Danach42 = "07.12.96   14:07:23   07.12.96   14:08:05   00:00:42,0   "
                             "456               City              1        0,12 DM";
// 30 s from 14:05:33: 1 unit.
const char* const Getrennt30 = "07.12.96   14:05:33   07.12.96   14:06:03   00:00:30,0   "
                               "123               City              1        0,12 DM";
const char* const Uebernommen30 = "07.12.96   14:05:33   07.12.96   14:06:03   00:00:30,0   "
                                  "0711 4            City              1        0,12 DM";
// 5 s from 14:05:33, then 30 s from 14:05:38: 1 unit each.
const char* const Erster5 = "07.12.96   14:05:33   07.12.96   14:05:38   00:00:05,0   "
                            "0711 1            City              1        0,12 DM";
const char* const Zweiter30 = "07.12.96   14:05:38   07.12.96   14:06:08   00:00:30,0   "
                              "0711 2            City              1        0,12 DM";
// 5 s from 14:05:33, then 9 s from 14:05:38: 1 unit each.
const char* const Gesperrt5 = "07.12.96   14:05:33   07.12.96   14:05:38   00:00:05,0   "
                              "123               City              1        0,12 DM";
const char* const Gesperrt9 = "07.12.96   14:05:38   07.12.96   14:05:47   00:00:09,0   "
                              "456               City              1        0,12 DM";
} // namespace Satz

// What the log holds after these records were saved into a new log.
QByteArray Erwartet(std::initializer_list<const char*> saetze) {
    QByteArray bytes = KopfZeilen();
    for (const char* satz : saetze) {
        bytes += QByteArray(satz) + "\r\n";
    }
    return bytes;
}

class Client : public ::testing::Test {
protected:
    test::FakeTime zeit{Samstag, 5'000'000};
    test::FakeRouter router;
    test::FakeWecker wecker;
    AnrufmonitorClient client{QStringLiteral("127.0.0.1"), router.Port(), zeit.clock, zeit.counter,
                              wecker};
    std::vector<AnrufMeldung> meldungen;
    int verloren = 0;

    void SetUp() override {
        QObject::connect(&client, &AnrufmonitorClient::Meldung, &client,
                         [this](const AnrufMeldung& m) { meldungen.push_back(m); });
        QObject::connect(&client, &AnrufmonitorClient::VerbindungVerloren, &client,
                         [this] { ++verloren; });
    }
    bool Verbunden() {
        return router.WarteAufClient() &&
               QTest::qWaitFor(
                   [&] { return client.Stand() == AnrufmonitorClient::Zustand::Verbunden; }, 10000);
    }
    bool Wartet() {
        return QTest::qWaitFor(
            [&] { return client.Stand() == AnrufmonitorClient::Zustand::Wartet; }, 10000);
    }
};

int Option(int fd, int ebene, int name) {
    int wert = -1;
    socklen_t laenge = sizeof wert;
    ::getsockopt(fd, ebene, name, &wert, &laenge);
    return wert;
}

TEST_F(Client, ConnectsWithKeepaliveAndReportsAnsweredCalls) {
    client.Starte();
    ASSERT_TRUE(Verbunden());
    EXPECT_EQ(client.StatusText(), QStringLiteral("Anrufmonitor: verbunden mit 127.0.0.1"));
    const int fd = int(client.Socket()->socketDescriptor());
    EXPECT_EQ(Option(fd, SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(Option(fd, IPPROTO_TCP, TCP_KEEPIDLE), 60);
    EXPECT_EQ(Option(fd, IPPROTO_TCP, TCP_KEEPINTVL), 10);
    EXPECT_EQ(Option(fd, IPPROTO_TCP, TCP_KEEPCNT), 3);
    router.Sende(T + "CALL;0;0;0711111;0711123456;SIP0;\n" + T + "CONNECT;0;0;0711123456;\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return meldungen.size() == 1; }, 10000));
    EXPECT_EQ(meldungen[0].art, AnrufMeldung::Art::Begonnen);
    EXPECT_EQ(meldungen[0].beginn, Samstag);
}

// The router refusing while it restarts (here for more than 20 s of waits), then back on the
// same port: each attempt bounded at 10 s, waits of 1, 2, 4, 8, 16 s, and the next connection is
// made at once.
TEST_F(Client, RefusedAttemptsWaitDoublingUntilTheRouterIsBack) {
    router.Schweige();
    client.Starte();
    for (int versuch = 0; versuch < 5; ++versuch) {
        ASSERT_TRUE(Wartet()) << versuch;
        if (versuch == 3) {
            EXPECT_EQ(client.StatusText(),
                      QStringLiteral("Anrufmonitor: keine Verbindung, nächster Versuch in 8 s"));
        }
        wecker.Klingeln();
    }
    ASSERT_TRUE(Wartet());
    EXPECT_EQ(wecker.wartezeiten,
              (std::vector<std::int64_t>{10000, 1000, 10000, 2000, 10000, 4000, 10000, 8000, 10000,
                                         16000, 10000, 32000}));
    ASSERT_TRUE(router.Lausche());
    wecker.Klingeln();
    ASSERT_TRUE(Verbunden());
    EXPECT_FALSE(wecker.Gestellt());
    EXPECT_EQ(verloren, 0);
}

// An address that drops every SYN (here a listener whose queue is full): the attempt is given up
// when its 10 s are over, and the next comes as the schedule says.
TEST_F(Client, ConnectThatNeverCompletesIsGivenUpAfterTenSeconds) {
    const int voll = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t laenge = sizeof adresse;
    ASSERT_EQ(::bind(voll, reinterpret_cast<sockaddr*>(&adresse), laenge), 0);
    ASSERT_EQ(::listen(voll, 0), 0);
    ::getsockname(voll, reinterpret_cast<sockaddr*>(&adresse), &laenge);
    std::vector<int> fueller;
    for (int i = 0; i < 3; ++i) {
        fueller.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(fueller.back(), reinterpret_cast<sockaddr*>(&adresse), laenge);
    }
    QTest::qWait(100);
    AnrufmonitorClient haengt(QStringLiteral("127.0.0.1"), ntohs(adresse.sin_port), zeit.clock,
                              zeit.counter, wecker);
    haengt.Starte();
    for (std::int64_t warten : {1000, 2000}) {
        QTest::qWait(300);
        ASSERT_EQ(haengt.Stand(), AnrufmonitorClient::Zustand::Verbindet);
        ASSERT_TRUE(wecker.Gestellt());
        wecker.Klingeln();
        EXPECT_EQ(haengt.Stand(), AnrufmonitorClient::Zustand::Wartet);
        EXPECT_EQ(haengt.WartezeitMs(), warten);
        EXPECT_EQ(haengt.Socket()->state(), QAbstractSocket::UnconnectedState);
        wecker.Klingeln();
    }
    EXPECT_EQ(wecker.wartezeiten, (std::vector<std::int64_t>{10000, 1000, 10000, 2000, 10000}));
    haengt.Beende();
    for (int fd : fueller) {
        ::close(fd);
    }
    ::close(voll);
}

// Closed by the router in the middle of a call: the loss is reported once, the next attempt
// comes after 1 s again, and the call stays open until its DISCONNECT on the new connection.
TEST_F(Client, ClosedMidCallReconnectsAfterOneSecondAndEndsTheCallThere) {
    client.Starte();
    ASSERT_TRUE(Verbunden());
    router.Sende(T + "CALL;0;0;1;0711123456;SIP0;\n" + T + "CONNECT;0;0;0711123456;\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return meldungen.size() == 1; }, 10000));
    router.Trenne();
    ASSERT_TRUE(Wartet());
    EXPECT_EQ(verloren, 1);
    EXPECT_EQ(client.OffeneAnrufe().size(), 1u);
    EXPECT_EQ(wecker.wartezeiten, (std::vector<std::int64_t>{10000, 1000}));
    wecker.Klingeln();
    ASSERT_TRUE(Verbunden());
    zeit.advanceMs(60'000);
    router.Sende(T + "DISCONNECT;0;60;\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return meldungen.size() == 2; }, 10000));
    EXPECT_EQ(meldungen[1].art, AnrufMeldung::Art::Beendet);
    EXPECT_EQ(meldungen[1].dauerSekunden, 60);
    EXPECT_TRUE(client.OffeneAnrufe().empty());
}

// A line of 1 MiB: the client drops the connection at 4 KiB and connects again; what it holds
// never grows with the line.
TEST_F(Client, HugeLineDropsTheConnectionWithBoundedMemory) {
    client.Starte();
    ASSERT_TRUE(Verbunden());
    router.Sende(QByteArray(1024 * 1024, 'x'));
    ASSERT_TRUE(router.WarteAufTrennung());
    EXPECT_EQ(client.Verfolger().Zaehler().zuLange, 1);
    EXPECT_LE(client.Verfolger().PufferGroesse(), AnrufVerfolger::MaxZeile);
    EXPECT_LE(client.Socket()->readBufferSize(), 64 * 1024);
    wecker.Klingeln();
    ASSERT_TRUE(Verbunden());
    router.Sende(T + "CALL;5;0;1;222;SIP0;\n" + T + "CONNECT;5;0;222;\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return meldungen.size() == 1; }, 10000));
}

// The main window with its settings in a temporary file and the router on 127.0.0.1.
class Fenster : public ::testing::Test {
protected:
    QTemporaryDir ordner;
    test::FakeTime zeit{Samstag, 5'000'000};
    test::FakeFileChooser dateiWahl;
    test::FakeRouter router;
    test::FakeWecker wecker;
    Logbuchdatei logbuchdatei{ordner.filePath(QStringLiteral("Tarvis 12-1996.Rep"))};
    QSettings einstellungen{ordner.filePath(QStringLiteral("Tarvis32.conf")), QSettings::IniFormat};
    std::unique_ptr<frmGMMain> fenster;

    // `folgt`: the window follows the router at once (no other program does).
    void Starte(NachDemGespraech nach, bool folgt = true) {
        SchreibeAnrufmonitor(&einstellungen, {true, QStringLiteral("127.0.0.1"), router.Port(),
                                              nach, QStringLiteral("0711")});
        fenster = std::make_unique<frmGMMain>(MonitorUmgebung{
            zeit.clock, zeit.counter, dateiWahl, logbuchdatei, &einstellungen, &wecker});
        WacheUeberDialoge();
        if (!folgt) {
            return;
        }
        ASSERT_TRUE(router.WarteAufClient());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return fenster->Anrufmonitor()->Stand() == AnrufmonitorClient::Zustand::Verbunden;
            },
            10000));
    }
    // A save dialog no test step waits for is a fault; closed, so that the test goes on.
    void WacheUeberDialoge() {
        auto* wache = new QTimer(fenster.get());
        QObject::connect(wache, &QTimer::timeout, wache, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && dialog->objectName() == QLatin1String("frmSpeichern") &&
                !dialogErwartet_) {
                ADD_FAILURE() << "unexpected dialog " << dialog->objectName().toStdString();
                dialog->reject();
            }
        });
        wache->start(20);
    }
    bool dialogErwartet_ = false;
    void TearDown() override { fenster.reset(); }

    // --anrufmonitor beside the window, on the same settings and log.
    struct Dienst {
        explicit Dienst(Fenster& t)
            : client(QStringLiteral("127.0.0.1"), t.router.Port(), t.zeit.clock, t.zeit.counter,
                     wecker),
              betrieb(client, {false, {}, 0, NachDemGespraech::Speichern, QStringLiteral("0711")},
                      &t.einstellungen, t.logbuchdatei.Pfad(), aus, fehler),
              besitz(MonitorBesitz::PfadZu(t.einstellungen.fileName())), zeit(t.zeit) {}
        void Folge() { betrieb.Folge(besitz, zeit.clock, zeit.counter); }
        test::FakeWecker wecker;
        AnrufmonitorClient client;
        QString ausgabe, meldungen;
        QTextStream aus{&ausgabe}, fehler{&meldungen};
        AnrufmonitorBetrieb betrieb;
        MonitorBesitz besitz;
        test::FakeTime& zeit;
    };

    QPushButton* Knopf(const char* name) {
        return fenster->findChild<QPushButton*>(QLatin1String(name));
    }
    bool Laeuft() { return fenster->Zaehler().GespraechLaeuft(); }
    void Laufen(std::int64_t ms) {
        for (std::int64_t t = 0; t < ms; t += 100) {
            zeit.advanceMs(100);
            fenster->Tick();
        }
    }
    bool WarteBis(const std::function<bool()>& bedingung) {
        return QTest::qWaitFor(bedingung, 10000);
    }
    QByteArray Log() { return test::ReadAll(logbuchdatei.Pfad()); }
    // Runs `handeln` on the save dialog once it is open (it runs modally, in its own loop).
    void BeimSpeichern(std::function<void(QDialog*)> handeln) {
        dialogErwartet_ = true;
        auto* wache = new QTimer(fenster.get());
        QObject::connect(wache, &QTimer::timeout, wache, [wache, handeln] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && dialog->objectName() == QLatin1String("frmSpeichern")) {
                wache->stop();
                wache->deleteLater();
                handeln(dialog);
            }
        });
        wache->start(10);
    }
};

// An answered outgoing call is START at CONNECT and STOP at DISCONNECT, saved at once (the
// number is in the own area): the same bytes as a save by hand of the window's figures.
TEST_F(Fenster, AnsweredCallStartsStopsAndSavesByItself) {
    Starte(NachDemGespraech::Speichern);
    EXPECT_TRUE(fenster->windowTitle().endsWith(
        QStringLiteral("] - Anrufmonitor: verbunden mit 127.0.0.1")));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(fenster.get())->text(QAccessible::Description),
              QStringLiteral("Anrufmonitor: verbunden mit 127.0.0.1"));
    router.Sende(T + "CALL;0;0;0711111;0711 123456;SIP0;\n" + T + "CONNECT;0;0;0711123456;\n");
    ASSERT_TRUE(WarteBis([&] { return Laeuft(); }));
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T O P"));
    Laufen(219'000);
    router.Sende(T + "DISCONNECT;0;219;\n");
    ASSERT_TRUE(WarteBis([&] { return !Log().isEmpty(); }));
    EXPECT_FALSE(Laeuft());
    EXPECT_FALSE(Knopf("cmdSpeichern")->isEnabled());
    EXPECT_EQ(Log(), Erwartet({Satz::Ortsgespraech219}));
}

// A second call while the first is counted, and a call the user counts by hand: neither is
// thrown away; the router's call is priced aside as --berechnen prices it.
TEST_F(Fenster, CallsThatCannotBeCountedArePricedAside) {
    Starte(NachDemGespraech::Speichern);
    router.Sende(T + "CALL;0;0;1;123;SIP0;\n" + T + "CONNECT;0;0;123;\n");
    ASSERT_TRUE(WarteBis([&] { return Laeuft(); }));
    Laufen(10'000);
    router.Sende(T + "CALL;1;1;1;0711 99;SIP1;\n" + T + "CONNECT;1;1;0711 99;\n");
    QTest::qWait(50);
    Laufen(100'000);
    router.Sende(T + "DISCONNECT;1;100;\n");
    ASSERT_TRUE(WarteBis([&] { return !Log().isEmpty(); }));
    EXPECT_TRUE(Laeuft()); // the first call goes on
    EXPECT_EQ(Log(), Erwartet({Satz::Neben100}));

    // STOP by hand ends the first call early; its DISCONNECT then does not stop the call the
    // user starts next.
    Knopf("cmdStart")->click();
    Knopf("cmdStart")->click();
    router.Sende(T + "DISCONNECT;0;200;\n");
    QTest::qWait(100);
    EXPECT_TRUE(Laeuft());
    Knopf("cmdStart")->click();
    EXPECT_TRUE(Knopf("cmdSpeichern")->isEnabled());
    EXPECT_EQ(Log(), Erwartet({Satz::Neben100}));

    // That call is the user's and not saved: a new call of the router does not replace it.
    const QString stop = fenster->findChild<QLabel*>(QStringLiteral("lblStop"))->text();
    router.Sende(T + "CALL;2;0;1;456;SIP0;\n" + T + "CONNECT;2;0;456;\n");
    QTest::qWait(50);
    EXPECT_FALSE(Laeuft());
    EXPECT_EQ(fenster->findChild<QLabel*>(QStringLiteral("lblStop"))->text(), stop);
    Laufen(42'000);
    router.Sende(T + "DISCONNECT;2;42;\n");
    ASSERT_TRUE(WarteBis([&] { return Log() == Erwartet({Satz::Neben100, Satz::Danach42}); }));
    EXPECT_TRUE(Knopf("cmdSpeichern")->isEnabled());
}

// "Ask": the dialog opens with the number and the zone remembered from the last save of that
// number; the zone the user saves is remembered for the next call.
TEST_F(Fenster, AskOpensTheDialogFilledInAndRemembersTheZone) {
    MerkeZone(&einstellungen, QStringLiteral("0891234"), 4);
    Starte(NachDemGespraech::Fragen);
    QString telefon;
    int zone = 0;
    BeimSpeichern([&](QDialog* dialog) {
        telefon = dialog->findChild<QLineEdit*>(QStringLiteral("txtTelefon"))->text();
        for (int z : AlleZonen) {
            if (dialog->findChild<QRadioButton*>(QStringLiteral("optZone(%1)").arg(z))
                    ->isChecked()) {
                zone = z;
            }
        }
        dialog->findChild<QRadioButton*>(QStringLiteral("optZone(3)"))->setChecked(true);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    });
    router.Sende(T + "CALL;0;0;1;089/1234;SIP0;\n" + T + "CONNECT;0;0;089/1234;\n");
    ASSERT_TRUE(WarteBis([&] { return Laeuft(); }));
    Laufen(5000);
    router.Sende(T + "DISCONNECT;0;5;\n");
    ASSERT_TRUE(WarteBis([&] { return !Log().isEmpty(); }));
    EXPECT_EQ(telefon, QStringLiteral("089/1234"));
    EXPECT_EQ(zone, 4);
    EXPECT_EQ(GemerkteZone(&einstellungen, QStringLiteral("0891234")), 3);
    EXPECT_FALSE(Knopf("cmdSpeichern")->isEnabled());
}

// A call saved from the calculation window teaches the zone of its number too.
TEST_F(Fenster, SaveFromTheCalculationWindowRemembersTheZone) {
    Starte(NachDemGespraech::Fragen);
    BeimSpeichern([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("txtTelefon"))
            ->setText(QStringLiteral("030 55"));
        dialog->findChild<QRadioButton*>(QStringLiteral("optZone(4)"))->setChecked(true);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    });
    QTimer::singleShot(0, fenster.get(), [] {
        auto* fenster = QApplication::activeModalWidget();
        ASSERT_NE(fenster, nullptr);
        fenster->findChild<QLineEdit*>(QStringLiteral("txtDauer"))
            ->setText(QStringLiteral("00:01:00"));
        fenster->findChild<QPushButton*>(QStringLiteral("cmdSpeichern"))->click();
        fenster->close();
    });
    fenster->findChild<QAction*>(QStringLiteral("mnuBerechnung"))->trigger();
    EXPECT_FALSE(Log().isEmpty());
    EXPECT_EQ(GemerkteZone(&einstellungen, QStringLiteral("03055")), 4);
}

// Settings that can no longer be written (a folder where the file was): the calls are saved,
// and the title says once that their zones are not remembered.
TEST_F(Fenster, AZoneThatCannotBeRememberedIsSaidOnce) {
    Starte(NachDemGespraech::Speichern);
    ASSERT_TRUE(QFile::remove(einstellungen.fileName()));
    ASSERT_TRUE(QDir().mkpath(einstellungen.fileName()));
    const QString gesagt = QStringLiteral("Zonen der Rufnummern nicht gespeichert: ") +
                           einstellungen.fileName() + QStringLiteral(" nicht beschreibbar");
    for (int i = 0; i < 2; ++i) {
        router.Sende(T + "CALL;0;0;1;123;SIP0;\n" + T + "CONNECT;0;0;123;\n" + T +
                     "DISCONNECT;0;0;\n");
        ASSERT_TRUE(WarteBis([&] { return Log().count("\r\n") == 5 + i; })) << i;
    }
    EXPECT_EQ(fenster->windowTitle().count(gesagt), 1) << fenster->windowTitle().toStdString();
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(fenster.get())
                    ->text(QAccessible::Description)
                    .endsWith(gesagt));
}

// The router gone while a call is counted: the call goes on, the user is told, the title says
// when the next attempt comes, and the DISCONNECT on the new connection stops and saves it.
TEST_F(Fenster, LostConnectionKeepsCountingUntilTheDisconnectOfTheNewOne) {
    Starte(NachDemGespraech::Speichern);
    router.Sende(T + "CALL;0;0;1;123;SIP0;\n" + T + "CONNECT;0;0;123;\n");
    ASSERT_TRUE(WarteBis([&] { return Laeuft(); }));
    router.Trenne();
    ASSERT_TRUE(WarteBis([&] { return fenster->findChild<QMessageBox*>() != nullptr; }));
    EXPECT_TRUE(Laeuft());
    EXPECT_TRUE(fenster->windowTitle().endsWith(
        QStringLiteral("Anrufmonitor: keine Verbindung, nächster Versuch in 1 s")));
    fenster->findChild<QMessageBox*>()->close();
    QTest::qWait(10);
    wecker.Klingeln();
    ASSERT_TRUE(router.WarteAufClient());
    Laufen(30'000);
    router.Sende(T + "DISCONNECT;0;30;\n");
    ASSERT_TRUE(WarteBis([&] { return !Log().isEmpty(); }));
    EXPECT_FALSE(Laeuft());
    EXPECT_EQ(Log(), Erwartet({Satz::Getrennt30}));
}

// A window started beside the service does not follow the router: it says whom it waits for.
// When the service ends during a call, the window takes over within half a second, with the
// call the service handed over: priced aside and saved once at its DISCONNECT.
TEST_F(Fenster, AWindowBesideTheServiceWaitsAndTakesOverItsOpenCall) {
    Dienst dienst(*this);
    dienst.Folge();
    ASSERT_TRUE(router.WarteAufClient());
    Starte(NachDemGespraech::Speichern, false);
    const QString wartet =
        QStringLiteral("Anrufmonitor: folgt bereits in Tarvis32 (PID %1)").arg(getpid());
    EXPECT_EQ(fenster->Anrufmonitor(), nullptr);
    EXPECT_TRUE(fenster->windowTitle().endsWith(QStringLiteral(" - ") + wartet));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(fenster.get())->text(QAccessible::Description),
              wartet);
    router.Sende(T + "CALL;4;0;1;0711 4;SIP0;\n" + T + "CONNECT;4;0;0711 4;\n");
    ASSERT_TRUE(WarteBis([&] { return dienst.client.OffeneAnrufe().size() == 1; }));
    zeit.advanceMs(20'000);
    EXPECT_TRUE(dienst.betrieb.Beende(zeit.clock, zeit.counter, 0, &dienst.besitz));
    EXPECT_TRUE(dienst.ausgabe.endsWith(
        QStringLiteral("  an das nächste Tarvis32 übergeben, das dem Router folgt\n")));
    ASSERT_TRUE(router.WarteAufClient());
    ASSERT_TRUE(WarteBis([&] {
        return fenster->Anrufmonitor() != nullptr &&
               fenster->Anrufmonitor()->Stand() == AnrufmonitorClient::Zustand::Verbunden;
    }));
    EXPECT_FALSE(Laeuft());
    zeit.advanceMs(10'000);
    router.Sende(T + "DISCONNECT;4;30;\n");
    ASSERT_TRUE(WarteBis([&] { return !Log().isEmpty(); }));
    EXPECT_EQ(Log(), Erwartet({Satz::Uebernommen30}));
}

// The window and the service beside each other, on one settings file: the window follows the
// router and saves a call once; closed during the next call, it names that call and hands it
// over, and the service, taking over, ends and saves it once with the router's DISCONNECT.
TEST_F(Fenster, WindowAndServiceSaveEachCallOnceAcrossTheHandOver) {
    Starte(NachDemGespraech::Speichern);
    Dienst dienst(*this);
    dienst.Folge();
    EXPECT_EQ(dienst.client.Stand(), AnrufmonitorClient::Zustand::Aus);

    router.Sende(T + "CALL;0;0;1;0711 1;SIP0;\n" + T + "CONNECT;0;0;0711 1;\n");
    ASSERT_TRUE(WarteBis([&] { return Laeuft(); }));
    Laufen(5000);
    router.Sende(T + "DISCONNECT;0;5;\n");
    ASSERT_TRUE(WarteBis([&] { return !Log().isEmpty(); }));
    router.Sende(T + "CALL;1;0;1;0711 2;SIP0;\n" + T + "CONNECT;1;0;0711 2;\n");
    ASSERT_TRUE(WarteBis([&] { return Laeuft(); }));
    Laufen(20'000);

    QString hinweis;
    QTimer::singleShot(0, fenster.get(), [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->objectName(), QStringLiteral("NichtGespeichert"));
        hinweis = box->text();
        // The lock is free while the user reads.
        dienst.Folge();
        box->accept();
    });
    fenster->close();
    EXPECT_EQ(hinweis,
              QStringLiteral("Der Router hat das Ende dieser Gespräche noch nicht "
                             "gemeldet:\n\n07.12.1996 14:05:38  0711 2  bisher 00:00:20"
                             "\n\nDas Tarvis32, das dem Router als Nächstes folgt, "
                             "übernimmt sie und beendet sie mit der Meldung des Routers."));
    EXPECT_TRUE(dienst.besitz.Haelt());
    EXPECT_TRUE(dienst.meldungen.startsWith(
        QStringLiteral("Anrufmonitor: 1 offenes Gespräch übernommen\n")))
        << dienst.meldungen.toStdString();
    ASSERT_TRUE(router.WarteAufClient());
    zeit.advanceMs(10'000);
    router.Sende(T + "DISCONNECT;1;30;\n");
    ASSERT_TRUE(WarteBis([&] { return dienst.ausgabe.contains(QLatin1Char('\n')); }));
    EXPECT_TRUE(dienst.ausgabe.endsWith(QStringLiteral("  gespeichert\n")))
        << dienst.ausgabe.toStdString();
    EXPECT_EQ(Log(), Erwartet({Satz::Erster5, Satz::Zweiter30}));
    fenster.reset();
    EXPECT_EQ(Log().count("\r\n"), 6) << "saved twice";
}

// The log locked by another program while a call is saved by itself: the window goes on
// (a call answered meanwhile counts from its CONNECT), the title says what waits, and both calls
// land once the lock is gone, with their own lengths.
TEST_F(Fenster, ALockedLogNeverHoldsTheWindowAndTheCallsLandLater) {
    Starte(NachDemGespraech::Speichern);
    QFile anderes(logbuchdatei.Pfad());
    ASSERT_TRUE(anderes.open(QIODevice::ReadWrite));
    anderes.write(KopfZeilen());
    anderes.flush();
    ASSERT_EQ(::flock(anderes.handle(), LOCK_EX), 0);
    router.Sende(T + "CALL;0;0;1;123;SIP0;\n" + T + "CONNECT;0;0;123;\n");
    ASSERT_TRUE(WarteBis([&] { return Laeuft(); }));
    Laufen(5000);
    router.Sende(T + "DISCONNECT;0;5;\n");
    ASSERT_TRUE(WarteBis([&] {
        return fenster->windowTitle().endsWith(QStringLiteral("1 Gespräch wartet aufs Speichern"));
    }));
    router.Sende(T + "CALL;1;0;1;456;SIP0;\n" + T + "CONNECT;1;0;456;\n");
    ASSERT_TRUE(WarteBis([&] { return Laeuft(); }));
    Laufen(9000);
    router.Sende(T + "DISCONNECT;1;9;\n");
    ASSERT_TRUE(WarteBis([&] { return !Laeuft(); }));
    EXPECT_EQ(fenster->Gespraech().dauerMs, 9000);
    EXPECT_TRUE(
        fenster->windowTitle().endsWith(QStringLiteral("2 Gespräche warten aufs Speichern")));
    anderes.close();
    ASSERT_TRUE(WarteBis([&] { return Log().size() > KopfZeilen().size(); }));
    EXPECT_EQ(Log(), Erwartet({Satz::Gesperrt5, Satz::Gesperrt9}));
    ASSERT_TRUE(
        WarteBis([&] { return !fenster->windowTitle().contains(QStringLiteral("wartet")); }));
}

TEST(FensterOhneEinstellungen, NoSettingsFileTriesNoConnection) {
    QTemporaryDir ordner;
    test::FakeTime zeit{Samstag};
    test::FakeFileChooser dateiWahl;
    Logbuchdatei logbuchdatei{ordner.filePath(QStringLiteral("x.Rep"))};
    QSettings einstellungen{ordner.filePath(QStringLiteral("Tarvis32.conf")), QSettings::IniFormat};
    frmGMMain fenster({zeit.clock, zeit.counter, dateiWahl, logbuchdatei, &einstellungen});
    EXPECT_EQ(fenster.Anrufmonitor(), nullptr);
    EXPECT_FALSE(fenster.windowTitle().contains(QStringLiteral("Anrufmonitor")));
    EXPECT_FALSE(QFile::exists(einstellungen.fileName()));
}

// The menu "Einstellungen" opens the dialog; what the user confirms is kept and takes effect.
TEST(EinstellungenDialog, MenuDialogKeepsTheSettingsAndStartsTheMonitor) {
    QTemporaryDir ordner;
    test::FakeTime zeit{Samstag};
    test::FakeFileChooser dateiWahl;
    test::FakeRouter router;
    test::FakeWecker wecker;
    Logbuchdatei logbuchdatei{ordner.filePath(QStringLiteral("x.Rep"))};
    QSettings einstellungen{ordner.filePath(QStringLiteral("Tarvis32.conf")), QSettings::IniFormat};
    frmGMMain fenster({zeit.clock, zeit.counter, dateiWahl, logbuchdatei, &einstellungen, &wecker});
    auto* menue = fenster.findChild<QMenu*>(QStringLiteral("mnuEinstellungen"));
    ASSERT_NE(menue, nullptr);
    EXPECT_EQ(menue->title(), QStringLiteral("Ei&nstellungen"));
    const QList<QAction*> leiste = fenster.menuBar()->actions();
    EXPECT_EQ(leiste.last(), menue->menuAction());
    EXPECT_EQ(leiste[leiste.size() - 2]->objectName(), QStringLiteral("mnuAuswertung"));
    QTimer::singleShot(0, &fenster, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        // Every control is named for a screen reader. A list box's list is a window of its own
        // (made with the list box from Qt 6.8 on), read by its entries once it is opened.
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            if (control->window() == dialog && control->focusPolicy() != Qt::NoFocus &&
                !control->inherits("QLineEdit") && !control->inherits("QSpinBox") &&
                !control->inherits("QComboBox")) {
                EXPECT_FALSE(QAccessible::queryAccessibleInterface(control)
                                 ->text(QAccessible::Name)
                                 .isEmpty())
                    << control->metaObject()->className() << ' '
                    << control->objectName().toStdString();
            }
        }
        EXPECT_EQ(QAccessible::queryAccessibleInterface(
                      dialog->findChild<QLineEdit*>(QStringLiteral("txtAdresse")))
                      ->text(QAccessible::Name),
                  QStringLiteral("Adresse"));
        dialog->findChild<QCheckBox*>(QStringLiteral("chkAktiv"))->setChecked(true);
        dialog->findChild<QLineEdit*>(QStringLiteral("txtAdresse"))
            ->setText(QStringLiteral("127.0.0.1"));
        dialog->findChild<QSpinBox*>(QStringLiteral("txtPort"))->setValue(router.Port());
        dialog->findChild<QComboBox*>(QStringLiteral("cboNachDemGespraech"))->setCurrentIndex(2);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    });
    menue->actions().last()->trigger();
    const AnrufmonitorEinstellungen werte = LiesAnrufmonitor(&einstellungen);
    EXPECT_TRUE(werte.aktiv);
    EXPECT_EQ(werte.port, router.Port());
    EXPECT_EQ(werte.nachDemGespraech, NachDemGespraech::Nichts);
    ASSERT_NE(fenster.Anrufmonitor(), nullptr);
    EXPECT_TRUE(router.WarteAufClient());
}

// --anrufmonitor: one line per ended outgoing call with its figures; saved when the zone is
// known, else said why not.
TEST(Kommandozeile, PrintsAndSavesEndedCallsPricedByTheTariff) {
    QTemporaryDir ordner;
    test::FakeTime zeit{Samstag};
    test::FakeRouter router;
    test::FakeWecker wecker;
    QSettings einstellungen{ordner.filePath(QStringLiteral("Tarvis32.conf")), QSettings::IniFormat};
    const QString log = ordner.filePath(QStringLiteral("Tarvis 12-1996.Rep"));
    AnrufmonitorClient client(QStringLiteral("127.0.0.1"), router.Port(), zeit.clock, zeit.counter,
                              wecker);
    QString ausgabe, meldungen;
    QTextStream aus(&ausgabe), fehler(&meldungen);
    AnrufmonitorEinstellungen werte;
    werte.eigeneVorwahl = QStringLiteral("0711");
    AnrufmonitorBetrieb betrieb(client, werte, &einstellungen, log, aus, fehler);
    client.Starte();
    ASSERT_TRUE(router.WarteAufClient());
    // The router's durations, with the time passing between CONNECT and DISCONNECT as it does.
    const auto anruf = [&](const QByteArray& id, const QByteArray& nummer, int sekunden) {
        router.Sende(T + "CALL;" + id + ";0;1;" + nummer + ";SIP0;\n" + T + "CONNECT;" + id +
                     ";0;" + nummer + ";\n");
        ASSERT_TRUE(QTest::qWaitFor([&] { return client.OffeneAnrufe().size() == 1; }, 10000));
        zeit.advanceMs(sekunden * 1000);
        router.Sende(T + "DISCONNECT;" + id + ";" + QByteArray::number(sekunden) + ";\n");
        ASSERT_TRUE(QTest::qWaitFor([&] { return client.OffeneAnrufe().empty(); }, 10000));
    };
    anruf("0", "0711 123456", 219);
    anruf("1", "030 1234", 61);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ausgabe.count(QLatin1Char('\n')) == 2; }, 10000));

    const QStringList zeilen = ausgabe.split(QLatin1Char('\n'));
    EXPECT_EQ(zeilen[0], QStringLiteral("Start: 07.12.1996 14:05:33  Nummer: 0711 123456  "
                                        "Dauer: 00:03:39  Zone: City  Einheiten: 2  Kosten: 0,24 "
                                        "DM  gespeichert"));
    EXPECT_TRUE(zeilen[1].startsWith(QStringLiteral("Start: 07.12.1996 14:09:12  Nummer: 030 1234  "
                                                    "Dauer: 00:01:01  Zone: unbekannt")));
    EXPECT_TRUE(
        zeilen[1].endsWith(QStringLiteral("nicht gespeichert: Zone der Rufnummer unbekannt")));
    EXPECT_EQ(test::ReadAll(log), Erwartet({Satz::Ortsgespraech219}));
}

} // namespace
