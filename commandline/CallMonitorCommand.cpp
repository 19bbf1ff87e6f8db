#include "commandline/CallMonitorCommand.h"

#include "calllog/Cp1252.h"
#include "calllog/LogFormat.h"
#include "calllog/LogWriter.h"
#include "callmonitor/CallMonitorClient.h"
#include "callmonitor/MonitorOwner.h"
#include "callmonitor/NumberZone.h"
#include "monitor/DefaultLogFile.h"
#include "platform/QtText.h"
#include "tariff/Format.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <csignal>

namespace tarvis {

namespace {

// "Tarvis MM-YYYY.Rep" of the month a call began in.
QString LogDateinameDesGespraechs(const Gespraech& gespraech) {
    return LogDateiname(static_cast<int>(gespraech.startDatum.year()),
                        static_cast<unsigned>(gespraech.startDatum.month()));
}

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

QString LogDesMonats(const QString& logPfad, const Gespraech& gespraech) {
    return QFileInfo(logPfad).dir().filePath(LogDateinameDesGespraechs(gespraech));
}

AnrufmonitorBetrieb::AnrufmonitorBetrieb(AnrufmonitorClient& client,
                                         const AnrufmonitorEinstellungen& werte,
                                         QSettings* einstellungen, QString logPfad,
                                         QTextStream& aus, QTextStream& fehler, QObject* parent)
    : QObject(parent), client_(client), werte_(werte), einstellungen_(einstellungen), aus_(aus),
      fehler_(fehler), log_([logPfad = std::move(logPfad)](const Gespraech& gespraech) {
          return LogDesMonats(logPfad, gespraech);
      }),
      // The service saves whatever zone it knows and asks no one; it remembers nothing.
      regel_({NachDemGespraech::Speichern,
              werte.eigeneVorwahl.toStdString(),
              [this](const std::string& ziffern) {
                  return GemerkteZone(einstellungen_, QString::fromStdString(ziffern));
              },
              {},
              &log_,
              nullptr}),
      wiederholen_(new QTimer(this)) {
    wiederholen_->setInterval(std::chrono::seconds{1});
    connect(wiederholen_, &QTimer::timeout, this, &AnrufmonitorBetrieb::Wiederhole);
    connect(&client_, &AnrufmonitorClient::Meldung, this, &AnrufmonitorBetrieb::Gemeldet);
    connect(&client_, &AnrufmonitorClient::StatusGeaendert, this, &AnrufmonitorBetrieb::Status);
}

void AnrufmonitorBetrieb::Status() {
    fehler_ << client_.StatusText() << '\n';
    fehler_.flush();
}

void AnrufmonitorBetrieb::Gemeldet(const AnrufMeldung& meldung) {
    for (const AnrufErgebnis& ergebnis : regel_.Gemeldet(meldung)) {
        Berichte(ergebnis);
    }
}

void AnrufmonitorBetrieb::Folge(MonitorBesitz& besitz, const CalendarClock& uhr,
                                const MillisecondCounter& zaehler) {
    if (client_.Stand() != AnrufmonitorClient::Zustand::Aus || !besitz.Versuche()) {
        return;
    }
    std::vector<AnrufMeldung> uebergeben = besitz.Uebernimm(uhr.now(), zaehler.milliseconds());
    client_.Uebernimm(uebergeben);
    const auto gefolgt = std::count_if(uebergeben.begin(), uebergeben.end(), [](const auto& a) {
        return a.art == AnrufMeldung::Art::Begonnen;
    });
    if (gefolgt > 0) {
        fehler_ << "Anrufmonitor: " << gefolgt
                << (gefolgt == 1 ? " offenes Gespräch übernommen\n"
                                 : " offene Gespräche übernommen\n");
        fehler_.flush();
    }
    for (const AnrufErgebnis& ergebnis : regel_.Uebernommen(uebergeben)) {
        Berichte(ergebnis);
    }
    client_.Starte();
}

void AnrufmonitorBetrieb::Berichte(const AnrufErgebnis& ergebnis, bool uebergeben) {
    const AnrufMeldung& meldung = ergebnis.meldung;
    const bool offen = meldung.art == AnrufMeldung::Art::Offen;
    aus_ << "Start: "
         << AlsQString(DatumText(DatumVon(meldung.beginn)) + ' ' + UhrzeitText(meldung.beginn))
         << "  Nummer: "
         << (ergebnis.telefon.isEmpty() ? QStringLiteral("unterdrückt") : ergebnis.telefon);
    if (meldung.nummerGekuerzt) {
        aus_ << " (gekürzt)";
    }
    aus_ << "  Dauer: " << (offen ? "bisher " : "") << AlsQString(ZeitText(meldung.dauerSekunden));
    if (meldung.routerSekunden >= 0) {
        aus_ << " (hier gemessen; der Router meldete "
             << AlsQString(ZeitText(meldung.routerSekunden)) << ')';
    }
    const ZonenArray<std::int64_t>& einheiten = ergebnis.daten.einheiten;
    if (ergebnis.zone) {
        aus_ << "  Zone: " << AlsQString(ZonenName[*ergebnis.zone])
             << "  Einheiten: " << Zahl(einheiten[*ergebnis.zone])
             << "  Kosten: " << Kosten(einheiten[*ergebnis.zone]) << " DM";
    } else {
        QStringList teile, betraege;
        for (int z : AlleZonen) {
            teile << Zahl(einheiten[z]);
            betraege << Kosten(einheiten[z]);
        }
        aus_ << "  Zone: unbekannt  Einheiten: " << teile.join(QLatin1Char('/'))
             << "  Kosten: " << betraege.join(QLatin1Char('/')) << " DM";
    }
    using V = AnrufErgebnis::Verbleib;
    switch (ergebnis.verbleib) {
    case V::Gespeichert:
        ++gespeichert_;
        aus_ << "  gespeichert\n";
        break;
    case V::Wartet:
        aus_ << "  wartet aufs Speichern: " << ergebnis.grund << '\n';
        wiederholen_->start();
        break;
    case V::Fragen:
    case V::Nichts:
        if (offen && uebergeben) {
            aus_ << "  an das nächste Tarvis32 übergeben, das dem Router folgt\n";
        } else if (offen) {
            aus_ << "  nicht gespeichert: Ende nicht gemeldet\n";
        } else if (ergebnis.telefon.isEmpty()) {
            aus_ << "  nicht gespeichert: keine Rufnummer\n";
        } else {
            aus_ << "  nicht gespeichert: Zone der Rufnummer unbekannt\n";
        }
        break;
    }
    Schreibe();
}

// A reader of the output that went away (a closed pipe) is said once; the calls go on being
// saved, which is what the service is for.
void AnrufmonitorBetrieb::Schreibe() {
    aus_.flush();
    if (aus_.status() != QTextStream::Ok && !ausgabeFehlerGesagt_) {
        ausgabeFehlerGesagt_ = true;
        fehler_ << "Anrufmonitor: die Ausgabe kann nicht mehr geschrieben werden; die Gespräche "
                   "werden weiter gespeichert.\n";
        fehler_.flush();
    }
}

void AnrufmonitorBetrieb::Wiederhole() {
    for (const AnrufErgebnis& ergebnis : regel_.Wiederhole()) {
        ++gespeichert_;
        const GespraechVorZonenwahl& d = ergebnis.daten;
        aus_ << "Start: " << AlsQString(DatumText(DatumVon(d.start)) + ' ' + UhrzeitText(d.start))
             << "  Nummer: " << ergebnis.telefon << "  nachträglich gespeichert\n";
    }
    if (regel_.Warteschlange().empty()) {
        wiederholen_->stop();
    }
    Schreibe();
}

// The open calls go to the next holder before the queue's wait, so that a program waiting for
// the router takes over at once; this one reads no line of the router after that.
bool AnrufmonitorBetrieb::Beende(const CalendarClock& uhr, MillisecondCounter& zaehler,
                                 std::int64_t fristMs, MonitorBesitz* besitz) {
    const std::vector<AnrufMeldung> offene = client_.OffeneAnrufe();
    client_.Beende();
    bool uebergeben = false;
    if (besitz != nullptr && besitz->Haelt()) {
        const QString grund = besitz->Uebergib(offene, uhr.now(), zaehler.milliseconds());
        besitz->Gib();
        uebergeben = grund.isEmpty();
        if (!uebergeben) {
            fehler_ << "Anrufmonitor: offene Gespräche nicht übergeben: " << grund << '\n';
        }
    }
    for (const AnrufMeldung& offen : offene) {
        for (const AnrufErgebnis& ergebnis : regel_.Gemeldet(offen)) {
            Berichte(ergebnis, uebergeben);
        }
    }
    const std::int64_t ende = zaehler.milliseconds() + fristMs;
    Wiederhole();
    while (!regel_.Warteschlange().empty() && zaehler.milliseconds() < ende) {
        QThread::msleep(100);
        Wiederhole();
    }
    for (const AnrufErgebnis& ergebnis : regel_.Warteschlange()) {
        const Gespraech gespraech = ergebnis.daten.MitZone(*ergebnis.zone, ergebnis.telefon);
        const QByteArray satz = SatzZeile(gespraech).trimmed();
        aus_ << "nicht gespeichert (" << ergebnis.grund << "), für "
             << LogDateinameDesGespraechs(gespraech) << ": "
             << QString::fromStdString(Utf8AusCp1252(std::string_view(satz.data(), satz.size())))
             << '\n';
    }
    Schreibe();
    return regel_.Warteschlange().empty();
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
    if (const QString falsch = AnrufmonitorFehler(&einstellungen); !falsch.isEmpty()) {
        fehler << "Anrufmonitor: " << falsch << '\n';
    }
    AnrufmonitorClient client(werte->adresse, quint16(werte->port), uhr, zaehler, wecker);
    AnrufmonitorBetrieb betrieb(client, *werte, &einstellungen, logbuchdatei, aus, fehler);

    // The signal only sets a flag; the loop ends between two events, so a record being written
    // is always finished first.
    struct sigaction aktion {};
    aktion.sa_handler = &BeiSignal;
    sigemptyset(&aktion.sa_mask);
    ::sigaction(SIGINT, &aktion, nullptr);
    ::sigaction(SIGTERM, &aktion, nullptr);
    // A closed terminal ends the service as SIGTERM does, its running calls reported.
    ::sigaction(SIGHUP, &aktion, nullptr);
    // A reader of the output that went away must not end the saving.
    ::signal(SIGPIPE, SIG_IGN);
    // One program of the user follows the router (MonitorBesitz says why); while another one
    // does, the service waits and asks again with every look at the signal flag.
    MonitorBesitz besitz(MonitorBesitz::PfadZu(einstellungen.fileName()));
    const auto folge = [&] { betrieb.Folge(besitz, uhr, zaehler); };
    folge();
    if (!besitz.Haelt()) {
        fehler << besitz.WarteText() << "; übernimmt, sobald jenes endet.\n";
        fehler.flush();
    }
    QTimer wache;
    QObject::connect(&wache, &QTimer::timeout, &wache, [&folge] {
        if (endeVerlangt) {
            QCoreApplication::quit();
            return;
        }
        folge();
    });
    wache.start(100);
    QCoreApplication::exec();
    // Calls that still wait get 2 s more; then each is printed whole and the status says so.
    const bool allesGespeichert = betrieb.Beende(uhr, zaehler, 2000, &besitz);
    fehler << "Anrufmonitor beendet; " << betrieb.Gespeichert() << " Gespräche gespeichert.\n";
    return allesGespeichert ? 0 : 1;
}

} // namespace tarvis
