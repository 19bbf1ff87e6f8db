#include "commandline/CommandLine.h"

#include "calculation/CalculationInput.h"
#include "calculation/IntervalCost.h"
#include "calllog/LogReader.h"
#include "platform/QtCalendar.h"
#include "platform/VersionText.h"
#include "tariff/Format.h"
#include "tariff/TariffBand.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>

namespace tarvis {

namespace {

const QString OptBerechnen = QStringLiteral("berechnen");
const QString OptTarif = QStringLiteral("tarif");
const QString OptAuswertung = QStringLiteral("auswertung");
const QString OptHilfe = QStringLiteral("help");
const QString OptVersion = QStringLiteral("version");

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
    "  --auswertung DATEI         Summiert ein Logbuch je Monat und Zone: Anrufe, Einheiten,\n"
    "                             Gebühren, dazu die Gesamtsumme. Die Datei wird nur gelesen.\n"
    "\n"
    "Rückgabewerte: 0 erfolgreich, 1 Datei nicht lesbar, 2 falsche Angaben.\n";

// Figures are written as the user's locale writes numbers (German settings: "0,24").
QString Zahl(std::string_view text) {
    return ZahlText(text, QLocale());
}

QString Kosten(std::int64_t einheiten) {
    return Zahl(KostenText(einheiten, FesterTrenner));
}

QString Betrag(std::int64_t pfennig) {
    return Zahl(BetragText(pfennig, FesterTrenner));
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
    const std::string meldung = EingabeFehler(datum, uhrzeit, dauer);
    const auto eingabe = LiesEingabe(datum, uhrzeit, dauer);
    if (!meldung.empty() || !eingabe) {
        fehler << AlsQString(meldung) << '\n';
        return ExitEingabe;
    }
    FeiertagKalender kalender;
    const IntervallKosten ergebnis =
        BerechneIntervall(eingabe->Start(), eingabe->dauerSekunden, kalender);
    const Moment start = eingabe->Start();
    aus << "Start: " << ZeitpunktText(start) << '\n';
    aus << "Stop:  " << ZeitpunktText(ergebnis.stop) << '\n';
    aus << "Dauer: " << AlsQString(ZeitText(eingabe->dauerSekunden)) << '\n';
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
        aus << Zone(zone).leftJustified(11) << Zahl(texte.sekunden).rightJustified(7)
            << " Sek." << Zahl(texte.dmProMinute).rightJustified(7) << " DM/min.\n";
    }
    return ExitOk;
}

void SummenZeile(QTextStream& aus, const QString& vorne, const LogSumme& summe) {
    aus << vorne << Zahl(std::to_string(summe.anrufe)).rightJustified(8)
        << Zahl(std::to_string(summe.einheiten)).rightJustified(11)
        << Betrag(summe.kostenPfennig).rightJustified(13) << " DM\n";
}

int Auswertung(const QString& pfad, QTextStream& aus, QTextStream& fehler) {
    QFile datei(pfad);
    if (QFileInfo(pfad).isDir() || !datei.open(QIODevice::ReadOnly)) {
        fehler << "Die Datei \"" << pfad << "\" kann nicht gelesen werden: "
               << (QFileInfo(pfad).isDir() ? QStringLiteral("Es ist ein Verzeichnis.")
                                           : datei.errorString())
               << '\n';
        return ExitDatei;
    }
    const LogAuswertung auswertung = WerteLogAus(datei);
    for (const LogFehler& f : auswertung.fehler) {
        fehler << pfad << ':' << f.zeile << ": Zeile nicht lesbar ("
               << AlsQString(f.grund) << "), übergangen\n";
    }
    LogSumme gesamt;
    bool zuGross = auswertung.zuGross;
    for (int zone : AlleZonen) {
        zuGross = !gesamt.Dazu(auswertung.gesamt[zone]) || zuGross;
    }
    if (zuGross) {
        fehler << "Die Summen von \"" << pfad
               << "\" übersteigen den Zahlenbereich; keine Auswertung.\n";
        return ExitDatei;
    }
    aus << QStringLiteral("Monat").leftJustified(9) << QStringLiteral("Zone").leftJustified(10)
        << QStringLiteral("Anrufe").rightJustified(8)
        << QStringLiteral("Einheiten").rightJustified(11)
        << QStringLiteral("Gebühren").rightJustified(13) << '\n';
    for (const auto& [monat, zonen] : auswertung.monate) {
        const QString name =
            QStringLiteral("%1/%2").arg(monat.second, 2, 10, QLatin1Char('0')).arg(monat.first);
        for (int zone : AlleZonen) {
            if (zonen[zone].anrufe > 0) {
                SummenZeile(aus, name.leftJustified(9) + Zone(zone).leftJustified(10), zonen[zone]);
            }
        }
    }
    SummenZeile(aus, QStringLiteral("Gesamt").leftJustified(19), gesamt);
    return ExitOk;
}

void DefiniereOptionen(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("?"), OptHilfe}, QString()});
    parser.addOption({{QStringLiteral("v"), OptVersion}, QString()});
    parser.addOption({OptBerechnen, QString()});
    parser.addOption({OptTarif, QString(), QStringLiteral("ZEITPUNKT")});
    parser.addOption({OptAuswertung, QString(), QStringLiteral("DATEI")});
}

} // namespace

bool IstKommandozeilenAufruf(const QStringList& argumente) {
    for (const QString& argument : argumente.mid(1)) {
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        for (const QString& option :
             {OptBerechnen, OptTarif, OptAuswertung, OptHilfe, OptVersion}) {
            if (name == QStringLiteral("--") + option) {
                return true;
            }
        }
        if (name == QLatin1String("-h") || name == QLatin1String("-v") ||
            name == QLatin1String("-?")) {
            return true;
        }
    }
    return false;
}

int FuehreKommandozeileAus(const QStringList& argumente, QTextStream& aus, QTextStream& fehler) {
    QCommandLineParser parser;
    DefiniereOptionen(parser);
    if (!parser.parse(argumente)) {
        fehler << "Unbekannte oder unvollständige Angabe: "
               << argumente.mid(1).join(QLatin1Char(' '))
               << "\nTarvis32 --help zeigt die Optionen.\n";
        return ExitEingabe;
    }
    const int auftraege = int(parser.isSet(OptBerechnen)) + int(parser.isSet(OptTarif)) +
                          int(parser.isSet(OptAuswertung));
    if (parser.isSet(OptHilfe)) {
        aus << QString::fromUtf8(Hilfetext);
        return ExitOk;
    }
    if (parser.isSet(OptVersion)) {
        aus << VersionsText() << '\n';
        return ExitOk;
    }
    // --tarif takes the moment in quotes or as two words; --auswertung takes nothing more.
    const qsizetype zusaetzlich = parser.positionalArguments().size();
    const bool zuViel = (parser.isSet(OptTarif) && zusaetzlich > 1) ||
                        (parser.isSet(OptAuswertung) && zusaetzlich > 0);
    if (auftraege != 1 || zuViel) {
        fehler << "Bitte genau eine der Optionen --berechnen, --tarif, --auswertung angeben.\n"
                  "Tarvis32 --help zeigt die Optionen.\n";
        return ExitEingabe;
    }
    if (parser.isSet(OptBerechnen)) {
        return Berechnen(parser.positionalArguments(), aus, fehler);
    }
    if (parser.isSet(OptTarif)) {
        return Tarif(QStringList{parser.value(OptTarif)} << parser.positionalArguments(), aus,
                     fehler);
    }
    return Auswertung(parser.value(OptAuswertung), aus, fehler);
}

} // namespace tarvis
