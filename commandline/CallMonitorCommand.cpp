#include "commandline/CallMonitorCommand.h"

#include "calculation/IntervalCost.h"
#include "calllog/LogWriter.h"
#include "callmonitor/CallMonitorClient.h"
#include "callmonitor/NumberZone.h"
#include "monitor/DefaultLogFile.h"
#include "platform/QtText.h"
#include "tariff/Format.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>
#include <csignal>

namespace tarvis {

namespace {

volatile std::sig_atomic_t endeVerlangt = 0;

void BeiSignal(int) {
    endeVerlangt = 1;
}

QString Zahl(std::int64_t wert) {
    return ZahlText(std::to_string(wert), QLocale());
}

QString Kosten(std::int64_t einheiten) {
    return ZahlText(KostenText(einheiten, FesterTrenner), QLocale());
}

} // namespace

std::optional<AnrufmonitorEinstellungen> MonitorZiel(const QString& ziel,
                                                     AnrufmonitorEinstellungen werte) {
    // The last colon separates the port, unless the address is an IPv6 one in brackets or
    // without a port ("[::1]:1012", "::1").
    QString adresse = ziel;
    QString port;
    const qsizetype doppelpunkt = ziel.lastIndexOf(QLatin1Char(':'));
    const bool ipv6OhnePort =
        ziel.count(QLatin1Char(':')) > 1 && !ziel.startsWith(QLatin1Char('['));
    if (doppelpunkt >= 0 && !ipv6OhnePort) {
        adresse = ziel.left(doppelpunkt);
        port = ziel.mid(doppelpunkt + 1);
    }
    if (adresse.startsWith(QLatin1Char('[')) && adresse.endsWith(QLatin1Char(']'))) {
        adresse = adresse.mid(1, adresse.size() - 2);
    }
    if (!adresse.isEmpty()) {
        werte.adresse = adresse;
    }
    if (doppelpunkt >= 0 && !ipv6OhnePort) {
        bool zahl = false;
        const int nummer = port.toInt(&zahl);
        if (!zahl || nummer < 1 || nummer > 65535) {
            return std::nullopt;
        }
        werte.port = nummer;
    }
    return werte;
}

AnrufmonitorBetrieb::AnrufmonitorBetrieb(AnrufmonitorClient& client,
                                         const AnrufmonitorEinstellungen& werte,
                                         QSettings* einstellungen, QString logPfad,
                                         QTextStream& aus, QTextStream& fehler, QObject* parent)
    : QObject(parent), client_(client), werte_(werte), einstellungen_(einstellungen),
      logPfad_(std::move(logPfad)), aus_(aus), fehler_(fehler) {
    connect(&client_, &AnrufmonitorClient::Meldung, this, &AnrufmonitorBetrieb::Gemeldet);
    connect(&client_, &AnrufmonitorClient::StatusGeaendert, this, &AnrufmonitorBetrieb::Status);
}

void AnrufmonitorBetrieb::Status() {
    fehler_ << client_.StatusText() << '\n';
    fehler_.flush();
}

void AnrufmonitorBetrieb::Gemeldet(const AnrufMeldung& meldung) {
    if (meldung.art != AnrufMeldung::Art::Beendet) {
        return;
    }
    const IntervallKosten kosten =
        BerechneIntervall(meldung.beginn, meldung.dauerSekunden, kalender_);
    const QString telefon = QString::fromStdString(meldung.nummer);
    const std::optional<int> zone = ZoneDerNummer(
        meldung.nummer, werte_.eigeneVorwahl.toStdString(), [this](const std::string& ziffern) {
            return GemerkteZone(einstellungen_, QString::fromStdString(ziffern));
        });
    aus_ << "Start: "
         << AlsQString(DatumText(DatumVon(meldung.beginn)) + ' ' + UhrzeitText(meldung.beginn))
         << "  Nummer: " << (telefon.isEmpty() ? QStringLiteral("unterdrückt") : telefon)
         << "  Dauer: " << AlsQString(ZeitText(meldung.dauerSekunden));
    if (zone) {
        aus_ << "  Zone: " << AlsQString(ZonenName[*zone])
             << "  Einheiten: " << Zahl(kosten.einheiten[*zone])
             << "  Kosten: " << Kosten(kosten.einheiten[*zone]) << " DM";
    } else {
        QStringList einheiten, betraege;
        for (int z : AlleZonen) {
            einheiten << Zahl(kosten.einheiten[z]);
            betraege << Kosten(kosten.einheiten[z]);
        }
        aus_ << "  Zone: unbekannt  Einheiten: " << einheiten.join(QLatin1Char('/'))
             << "  Kosten: " << betraege.join(QLatin1Char('/')) << " DM";
    }
    if (!zone) {
        aus_ << (telefon.isEmpty() ? "  nicht gespeichert: keine Rufnummer\n"
                                   : "  nicht gespeichert: Zone der Rufnummer unbekannt\n");
    } else {
        const Gespraech gespraech = GespraechMit(meldung.beginn, kosten.stop,
                                                 meldung.dauerSekunden * 1000, kosten.einheiten)
                                        .MitZone(*zone, telefon);
        const SchreibErgebnis ergebnis = AppendCallRecord(logPfad_, gespraech);
        if (ergebnis) {
            ++gespeichert_;
            aus_ << "  gespeichert\n";
        } else {
            aus_ << "  nicht gespeichert: " << ergebnis.grund << '\n';
        }
    }
    aus_.flush();
}

int Anrufmonitor(const QStringList& argumente, QTextStream& aus, QTextStream& fehler) {
    QSettings einstellungen(QSettings::NativeFormat, QSettings::UserScope,
                            QStringLiteral("Tarvis32"), QStringLiteral("Tarvis32"));
    const auto werte = MonitorZiel(argumente.value(0), LiesAnrufmonitor(&einstellungen));
    if (argumente.size() > 1 || !werte) {
        fehler << "--anrufmonitor erwartet höchstens ADRESSE[:PORT], z. B. --anrufmonitor "
                  "fritz.box:1012\n";
        return 2;
    }
    SystemCalendarClock uhr;
    BootTimeMillisecondCounter zaehler;
    QtWecker wecker;
    const QString logbuchdatei =
        StandardLogbuchdatei(DatumVon(uhr.now()), QCoreApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                             VerzeichnisBeschreibbar);
    fehler << "Logbuchdatei: " << logbuchdatei << '\n';
    AnrufmonitorClient client(werte->adresse, quint16(werte->port), uhr, zaehler, wecker);
    AnrufmonitorBetrieb betrieb(client, *werte, &einstellungen, logbuchdatei, aus, fehler);

    // The signal only sets a flag; the loop ends between two events, so a record being written
    // is always finished first.
    struct sigaction aktion {};
    aktion.sa_handler = &BeiSignal;
    sigemptyset(&aktion.sa_mask);
    ::sigaction(SIGINT, &aktion, nullptr);
    ::sigaction(SIGTERM, &aktion, nullptr);
    QTimer wache;
    QObject::connect(&wache, &QTimer::timeout, &wache, [] {
        if (endeVerlangt) {
            QCoreApplication::quit();
        }
    });
    wache.start(100);
    client.Starte();
    QCoreApplication::exec();
    fehler << "Anrufmonitor beendet; " << betrieb.Gespeichert() << " Gespräche gespeichert.\n";
    return 0;
}

} // namespace tarvis
