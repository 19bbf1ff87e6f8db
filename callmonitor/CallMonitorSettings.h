#pragma once

#include <QString>
#include <optional>

class QSettings;

namespace tarvis {

// What happens after an outgoing call the monitor counted.
enum class NachDemGespraech { Fragen, Speichern, Nichts };

// The call monitor's settings, group [Anrufmonitor] of the user's settings file. Read from no
// file or a damaged one, every value is its default: monitor off, fritz.box:1012, ask.
struct AnrufmonitorEinstellungen {
    bool aktiv = false;
    QString adresse = QStringLiteral("fritz.box");
    int port = 1012;
    NachDemGespraech nachDemGespraech = NachDemGespraech::Fragen;
    QString eigeneVorwahl;

    bool operator==(const AnrufmonitorEinstellungen&) const = default;
};

AnrufmonitorEinstellungen LiesAnrufmonitor(QSettings* einstellungen);
// What in the settings file could not be read, said in German for the title or standard error
// ("Einstellungen nicht lesbar: … ist ein Ordner", "Port „70000“ ungültig, es gilt 1012");
// empty when all is well. The defaults hold meanwhile.
QString AnrufmonitorFehler(QSettings* einstellungen);
void SchreibeAnrufmonitor(QSettings* einstellungen, const AnrufmonitorEinstellungen& werte);

// The zone the user chose the last time a call to these digits was saved, group [Rufnummern].
std::optional<int> GemerkteZone(QSettings* einstellungen, const QString& ziffern);
// Remembers the zone; only the `hoechstens` most recently saved numbers are kept, so that the
// file, rewritten whole at each save, stays small. Returns, in German, why the file could not be
// written ("Zonen der Rufnummern nicht gespeichert: … nicht beschreibbar"); empty when it was.
constexpr int GemerkteNummernHoechstens = 10'000;
QString MerkeZone(QSettings* einstellungen, const QString& ziffern, int zone,
                  int hoechstens = GemerkteNummernHoechstens);

} // namespace tarvis
