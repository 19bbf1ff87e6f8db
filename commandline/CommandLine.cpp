#include "commandline/CommandLine.h"

#include "calculation/CalculationInput.h"
#include "calculation/IntervalCost.h"
#include "calllog/Cp1252.h"
#include "calllog/LogReader.h"
#include "calllog/LogSums.h"
#include "commandline/CallMonitorCommand.h"
#include "commandline/DescriptorDevice.h"
#include "commandline/QtOptions.h"
#include "journal/JournalColumns.h"
#include "journal/JournalCsv.h"
#include "journal/JournalFilter.h"
#include "journal/JournalRead.h"
#include "journal/JournalSums.h"
#include "platform/QtText.h"
#include "platform/SystemReason.h"
#include "platform/VersionText.h"
#include "tariff/Format.h"
#include "tariff/TariffBand.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>
#include <cerrno>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>

namespace tarvis {

namespace {

const QString OptBerechnen = QStringLiteral("berechnen");
const QString OptTarif = QStringLiteral("tarif");
const QString OptAuswertung = QStringLiteral("auswertung");
const QString OptCsv = QStringLiteral("csv");
const QString OptHilfe = QStringLiteral("help");
const QString OptVersion = QStringLiteral("version");
const QString OptAnrufmonitor = QStringLiteral("anrufmonitor");

const char* const Hilfetext =
    "Aufruf: Tarvis32 [Option]\n"
    "Zeigt, was ein Telefongespräch kostet, während es läuft (Tarif in DM, vier Zonen).\n"
    "Ohne Option startet das Programmfenster.\n"
    "\n"
    "Optionen:\n"
    "  -h, --help                 Zeigt diese Hilfe.\n"
    "  -v, --version              Zeigt Programmname und Version.\n"
    "  --berechnen DATUM UHRZEIT DAUER\n"
    "                             Berechnet ein Gespräch wie das Fenster \"Berechnung\":\n"
    "                             Beginn DATUM (TT.MM.JJJJ) UHRZEIT (hh:mm:ss), Dauer DAUER\n"
    "                             (hh:mm:ss); Einheiten und Gebühren in allen vier Zonen.\n"
    "  --tarif \"DATUM UHRZEIT\"    Zeigt den Tarif eines Zeitpunkts: Tarif-Nummer, Tagesart,\n"
    "                             Tarifname, je Zone Sekunden pro Einheit und DM pro Minute.\n"
    "  --auswertung DATEI...      Summiert Logbücher je Monat und Zone: Anrufe, Einheiten,\n"
    "                             Gebühren, dazu die Gesamtsumme. Die Dateien werden nur\n"
    "                             gelesen; \"-\" liest die Standardeingabe.\n"
    "  --auswertung DATEI... --csv\n"
    "                             Schreibt die Anrufe der Logbücher als CSV (UTF-8, \";\"\n"
    "                             zwischen den Feldern, Dezimalkomma), wie \"Exportieren…\"\n"
    "                             im Fenster \"Auswertung\".\n"
    "  --anrufmonitor [ADRESSE[:PORT]]\n"
    "                             Folgt dem Anrufmonitor des Routers (Voreinstellung\n"
    "                             fritz.box:1012): eine Zeile je beendetem abgehenden\n"
    "                             Gespräch, gespeichert im Logbuch, wenn die Zone bekannt\n"
    "                             ist. Läuft bis SIGINT oder SIGTERM.\n"
    "\n"
    "Rückgabewerte: 0 erfolgreich, 1 Datei nicht lesbar, 2 falsche Angaben.\n";

// Figures are written as the user's locale writes numbers (German settings: "0,24").
QString Zahl(std::string_view text) {
    return ZahlText(text, QLocale());
}

QString Kosten(std::int64_t einheiten) {
    return Zahl(KostenText(einheiten, FesterTrenner));
}

QString Zone(int zone) {
    return AlsQString(ZonenName[zone]);
}

QString ZeitpunktText(Moment moment) {
    return AlsQString(DatumText(DatumVon(moment)) + ' ' + UhrzeitText(moment));
}

int Berechnen(const QStringList& werte, QTextStream& aus, QTextStream& fehler) {
    if (werte.size() != 3) {
        fehler << "--berechnen erwartet DATUM UHRZEIT DAUER, z. B. --berechnen 07.12.1996 "
                  "14:05:33 00:03:39\n";
        return ExitEingabe;
    }
    const std::string datum = werte[0].toStdString(), uhrzeit = werte[1].toStdString(),
                      dauer = werte[2].toStdString();
    const GeleseneEingabe gelesen = LiesEingabe(datum, uhrzeit, dauer);
    if (const auto* meldung = std::get_if<std::string_view>(&gelesen)) {
        fehler << AlsQString(*meldung) << '\n';
        return ExitEingabe;
    }
    const BerechnungsEingabe& eingabe = std::get<BerechnungsEingabe>(gelesen);
    FeiertagKalender kalender;
    const IntervallKosten ergebnis =
        BerechneIntervall(eingabe.Start(), eingabe.dauerSekunden, kalender);
    const Moment start = eingabe.Start();
    aus << "Start: " << ZeitpunktText(start) << '\n';
    aus << "Stop:  " << ZeitpunktText(ergebnis.stop) << '\n';
    aus << "Dauer: " << AlsQString(ZeitText(eingabe.dauerSekunden)) << '\n';
    for (int zone : AlleZonen) {
        aus << Zone(zone).leftJustified(11)
            << Zahl(std::to_string(ergebnis.einheiten[zone])).rightJustified(7)
            << Kosten(ergebnis.einheiten[zone]).rightJustified(11) << " DM\n";
    }
    return ExitOk;
}

int Tarif(const QStringList& werte, QTextStream& aus, QTextStream& fehler) {
    const QStringList teile =
        werte.join(QLatin1Char(' ')).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const auto datum = DatumAusText(teile.value(0).toStdString());
    if (!datum) {
        fehler << AlsQString(MeldungStartDatum) << '\n';
        return ExitEingabe;
    }
    const auto sekunde = teile.size() == 2 ? UhrzeitAusText(teile[1].toStdString()) : std::nullopt;
    if (!sekunde) {
        fehler << AlsQString(MeldungStartUhrzeit) << '\n';
        return ExitEingabe;
    }
    FeiertagKalender kalender;
    const Moment zeitpunkt = MomentAus(*datum) + std::chrono::seconds{*sekunde};
    const int band = TarifNr(zeitpunkt, kalender);
    const TagesArt art = TagesArtVon(*datum, kalender);
    aus << "Zeitpunkt: " << ZeitpunktText(zeitpunkt) << '\n';
    aus << "Tarif:     " << band << '\n';
    aus << "Tagesart:  " << AlsQString(TagesArtName[static_cast<int>(art)]) << '\n';
    aus << "Name:      " << AlsQString(TarifName[band]) << '\n';
    for (int zone : AlleZonen) {
        const TaktTexte texte = TaktTexteVon(TaktLaenge(band, zone), FesterTrenner);
        aus << Zone(zone).leftJustified(11) << Zahl(texte.sekunden).rightJustified(7) << " Sek."
            << Zahl(texte.dmProMinute).rightJustified(7) << " DM/min.\n";
    }
    return ExitOk;
}

// A right-aligned column that keeps at least one blank before its figure, however wide the
// figure grows.
QString Spalte(const QString& text, int breite) {
    return QLatin1Char(' ') + text.rightJustified(breite - 1);
}

void SchreibeSumme(QTextStream& aus, const QString& vorne, const LogSumme& summe) {
    const SummenTexte texte = TexteVon(summe, QLocale());
    aus << vorne << Spalte(texte.gespraeche, 8) << Spalte(texte.einheiten, 11)
        << Spalte(texte.gebuehren, 13) << " DM\n";
}

QString ZeilenOrt(const QString& pfad, std::int64_t zeile) {
    return pfad + QLatin1Char(':') + QString::number(zeile);
}

// A file name as a terminal may show it.
QString Name(const QString& pfad) {
    return OhneSteuerzeichen(pfad);
}

// Opens a log for reading: "-" is standard input. Pipes, FIFOs and devices are read too.
QIODevice* Oeffne(QFile& datei, DeskriptorGeraet& eingabe, const QString& pfad,
                  QTextStream& fehler) {
    std::optional<QString> grund;
    QIODevice* quelle = &datei;
    if (pfad == QLatin1String("-")) {
        quelle = &eingabe;
        struct stat info {};
        if (::fstat(STDIN_FILENO, &info) != 0) {
            grund = SystemGrund(errno);
        } else if (S_ISDIR(info.st_mode)) {
            grund = SystemGrund(EISDIR);
        } else if (!eingabe.open(QIODevice::ReadOnly)) {
            grund = SystemGrund(EBADF);
        }
    } else {
        grund = OeffneLog(datei, pfad, false);
    }
    if (grund) {
        fehler << "Die Datei \"" << Name(pfad) << "\" kann nicht gelesen werden: " << *grund
               << ".\n";
        return nullptr;
    }
    return quelle;
}

void Bericht(const std::vector<SummenZeile>& zeilen, QTextStream& aus) {
    aus << QStringLiteral("Monat").leftJustified(9) << QStringLiteral("Zone").leftJustified(10)
        << QStringLiteral("Anrufe").rightJustified(8)
        << QStringLiteral("Einheiten").rightJustified(11)
        << QStringLiteral("Gebühren").rightJustified(13) << '\n';
    for (const SummenZeile& zeile : zeilen) {
        const QString vorne = zeile.IstGesamt() ? QStringLiteral("Gesamt").leftJustified(19)
                                                : MonatsText(*zeile.monat).leftJustified(9) +
                                                      Zone(zeile.zone).leftJustified(10);
        SchreibeSumme(aus, vorne, zeile.summe);
    }
}

// Reads each log with `lies`, which reports every unreadable line to `melde` as it is found and
// answers the reason when the log could not be read to its end. False at the first log that
// cannot be opened or read whole, which is said on `fehler`.
bool LiesLogs(
    const QStringList& pfade, QTextStream& fehler,
    const std::function<std::optional<QString>(QIODevice& datei, const QString& pfad,
                                               const std::function<void(const LogFehler&)>& melde)>&
        lies) {
    for (const QString& pfad : pfade) {
        QFile datei;
        DeskriptorGeraet eingabe(STDIN_FILENO);
        QIODevice* quelle = Oeffne(datei, eingabe, pfad, fehler);
        if (quelle == nullptr) {
            return false;
        }
        const auto grund = lies(*quelle, pfad, [&](const LogFehler& f) {
            fehler << ZeilenOrt(Name(pfad), f.zeile) << ": Zeile nicht lesbar ("
                   << OhneSteuerzeichen(AlsQString(f.grund)) << "), übergangen\n";
        });
        if (grund) {
            fehler << "Die Datei \"" << Name(pfad)
                   << "\" kann nicht zu Ende gelesen werden: " << OhneSteuerzeichen(*grund)
                   << ".\n";
            return false;
        }
    }
    return true;
}

// Sums several logs into one report. Unreadable lines are reported as they are found; a log
// that cannot be read at all stops the report, so no sum is ever printed that leaves one out.
int Auswertung(const QStringList& pfade, QTextStream& aus, QTextStream& fehler) {
    LogAuswertung auswertung;
    const bool gelesen =
        LiesLogs(pfade, fehler, [&](QIODevice& datei, const QString&, const auto& melde) {
            WerteLogAus(datei, auswertung, melde);
            return auswertung.lesen.gelesen ? std::nullopt
                                            : std::optional<QString>(auswertung.lesen.fehler);
        });
    if (!gelesen) {
        return ExitDatei;
    }
    const auto zeilen = SummenZeilen(auswertung.summen);
    if (!zeilen) {
        fehler << "Die Summen übersteigen den Zahlenbereich; keine Auswertung.\n";
        return ExitDatei;
    }
    Bericht(*zeilen, aus);
    return ExitOk;
}

// The calls of several logs as CSV, the bytes the journal's export writes of the same logs
// with no filter and in the order of their files. Like the report, it is written only when
// every log could be read to its end.
int AuswertungCsv(const QStringList& pfade, QTextStream& aus, QTextStream& fehler) {
    JournalSammler sammler;
    const bool gelesen =
        LiesLogs(pfade, fehler, [&](QIODevice& datei, const QString& pfad, const auto& melde) {
            return sammler.Lies(datei, pfad, {}, melde)
                       ? std::nullopt
                       : std::optional<QString>(sammler.Stand().dateien.back().grund);
        });
    if (!gelesen) {
        return ExitDatei;
    }
    const JournalDaten& daten = sammler.Stand().daten;
    SchreibeCsv(daten, InDateiFolge(daten), [&](std::string_view stueck) {
        aus << QString::fromUtf8(stueck.data(), qsizetype(stueck.size()));
        return aus.status() == QTextStream::Ok;
    });
    return ExitOk;
}

void DefiniereOptionen(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("?"), OptHilfe}, QString()});
    parser.addOption({{QStringLiteral("v"), OptVersion}, QString()});
    parser.addOption({OptBerechnen, QString()});
    parser.addOption({OptTarif, QString(), QStringLiteral("ZEITPUNKT")});
    parser.addOption({OptAuswertung, QString(), QStringLiteral("DATEI")});
    parser.addOption({OptCsv, QString()});
    parser.addOption({OptAnrufmonitor, QString()});
    // "-" names standard input, for --auswertung.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
}

} // namespace

// Every argument that looks like an option (a dash and more) belongs to the command line,
// unless it is one of Qt's window options: a mistyped option is refused there with a message,
// never taken for a start of the window.
bool IstKommandozeilenAufruf(const QStringList& argumente) {
    const QStringList eigene = OhneQtOptionen(argumente);
    for (const QString& argument : eigene.mid(1)) {
        if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
            return true;
        }
    }
    return false;
}

int FuehreKommandozeileAus(const QStringList& argumente, QTextStream& aus, QTextStream& fehler) {
    QCommandLineParser parser;
    DefiniereOptionen(parser);
    if (!parser.parse(OhneQtOptionen(argumente))) {
        const QStringList unbekannt = parser.unknownOptionNames();
        if (!unbekannt.isEmpty()) {
            const QString name = unbekannt.first();
            fehler << "Unbekannte Option: " << (name.size() == 1 ? "-" : "--")
                   << OhneSteuerzeichen(name) << '\n';
        } else {
            fehler << "Unvollständige Angabe: " << OhneSteuerzeichen(parser.errorText()) << '\n';
        }
        fehler << "Tarvis32 --help zeigt die Optionen.\n";
        return ExitEingabe;
    }
    const int auftraege = int(parser.isSet(OptBerechnen)) + int(parser.isSet(OptTarif)) +
                          int(parser.isSet(OptAuswertung)) + int(parser.isSet(OptAnrufmonitor));
    if (parser.isSet(OptHilfe)) {
        aus << QString::fromUtf8(Hilfetext);
        return ExitOk;
    }
    if (parser.isSet(OptVersion)) {
        aus << VersionsText() << '\n';
        return ExitOk;
    }
    // --tarif takes the moment in quotes or as two words; --auswertung one file or more.
    const qsizetype zusaetzlich = parser.positionalArguments().size();
    const bool zuViel = parser.isSet(OptTarif) && zusaetzlich > 1;
    if (parser.isSet(OptCsv) && !parser.isSet(OptAuswertung)) {
        fehler << "--csv gilt nur zusammen mit --auswertung DATEI...\n"
                  "Tarvis32 --help zeigt die Optionen.\n";
        return ExitEingabe;
    }
    if (auftraege != 1 || zuViel) {
        fehler << "Bitte genau eine der Optionen --berechnen, --tarif, --auswertung angeben.\n"
                  "Tarvis32 --help zeigt die Optionen.\n";
        return ExitEingabe;
    }
    if (parser.isSet(OptAnrufmonitor)) {
        return Anrufmonitor(parser.positionalArguments(), aus, fehler);
    }
    if (parser.isSet(OptBerechnen)) {
        return Berechnen(parser.positionalArguments(), aus, fehler);
    }
    if (parser.isSet(OptTarif)) {
        return Tarif(QStringList{parser.value(OptTarif)} << parser.positionalArguments(), aus,
                     fehler);
    }
    const QStringList pfade = QStringList{parser.value(OptAuswertung)}
                              << parser.positionalArguments();
    return parser.isSet(OptCsv) ? AuswertungCsv(pfade, aus, fehler)
                                : Auswertung(pfade, aus, fehler);
}

int BeendeAusgabe(QTextStream& aus, QTextStream& fehler, int code) {
    errno = 0;
    aus.flush();
    int fehlernummer = errno;
    // The device knows the reason of a write that failed long before this last flush.
    if (const auto* geraet = dynamic_cast<const DeskriptorGeraet*>(aus.device());
        geraet != nullptr && geraet->Fehlernummer() != 0) {
        fehlernummer = geraet->Fehlernummer();
    }
    if (aus.status() == QTextStream::Ok) {
        return code;
    }
    fehler << "Tarvis32: Die Ausgabe kann nicht geschrieben werden"
           << (fehlernummer != 0 ? QStringLiteral(": ") + SystemGrund(fehlernummer) : QString())
           << ".\n";
    fehler.flush();
    return code == ExitOk ? ExitDatei : code;
}

} // namespace tarvis
