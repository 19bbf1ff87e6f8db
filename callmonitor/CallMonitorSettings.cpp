#include "callmonitor/CallMonitorSettings.h"

#include <QFileInfo>
#include <QSet>
#include <QSettings>

namespace tarvis {

namespace {

const QString Gruppe = QStringLiteral("Anrufmonitor/");
const QString Nummern = QStringLiteral("Rufnummern/");
// The remembered numbers in the order of their last save, the most recent last, in one value:
// read and written at each save, cheaper than a key per number.
const QString Folge = QStringLiteral("Rufnummernfolge/Reihenfolge");

constexpr struct {
    const char* text;
    NachDemGespraech wert;
} NachTexte[] = {{"fragen", NachDemGespraech::Fragen},
                 {"speichern", NachDemGespraech::Speichern},
                 {"nichts", NachDemGespraech::Nichts}};

bool IstNummer(const QString& text) {
    if (text.isEmpty() || text.size() > 32) {
        return false;
    }
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

} // namespace

AnrufmonitorEinstellungen LiesAnrufmonitor(QSettings* einstellungen) {
    AnrufmonitorEinstellungen werte;
    if (einstellungen == nullptr) {
        return werte;
    }
    // Every value is checked on its own: a damaged one falls back to its default only.
    const QString aktiv = einstellungen->value(Gruppe + QStringLiteral("Aktiv")).toString();
    werte.aktiv = aktiv == QLatin1String("true");
    const QString adresse =
        einstellungen->value(Gruppe + QStringLiteral("Adresse")).toString().trimmed();
    if (!adresse.isEmpty() && adresse.size() <= 255) {
        werte.adresse = adresse;
    }
    bool zahl = false;
    const int port = einstellungen->value(Gruppe + QStringLiteral("Port")).toString().toInt(&zahl);
    if (zahl && port > 0 && port < 65536) {
        werte.port = port;
    }
    const QString nach =
        einstellungen->value(Gruppe + QStringLiteral("NachDemGespraech")).toString();
    for (const auto& eintrag : NachTexte) {
        if (nach == QLatin1String(eintrag.text)) {
            werte.nachDemGespraech = eintrag.wert;
        }
    }
    const QString vorwahl =
        einstellungen->value(Gruppe + QStringLiteral("EigeneVorwahl")).toString();
    if (IstNummer(vorwahl)) {
        werte.eigeneVorwahl = vorwahl;
    }
    return werte;
}

QString AnrufmonitorFehler(QSettings* einstellungen) {
    if (einstellungen == nullptr) {
        return {};
    }
    const QFileInfo datei(einstellungen->fileName());
    const QString vorn = QStringLiteral("Einstellungen nicht lesbar: ");
    if (datei.isDir()) {
        return vorn + datei.filePath() + QStringLiteral(" ist ein Ordner");
    }
    if (datei.exists() && !datei.isReadable()) {
        return vorn + datei.filePath() + QStringLiteral(" darf nicht gelesen werden");
    }
    if (einstellungen->status() == QSettings::FormatError) {
        return vorn + datei.filePath() + QStringLiteral(" ist beschädigt");
    }
    if (einstellungen->status() == QSettings::AccessError) {
        return vorn + datei.filePath();
    }
    const QVariant port = einstellungen->value(Gruppe + QStringLiteral("Port"));
    bool zahl = false;
    const int nummer = port.toString().toInt(&zahl);
    if (port.isValid() && (!zahl || nummer < 1 || nummer > 65535)) {
        return QStringLiteral("Port „%1“ ungültig (1 bis 65535), es gilt 1012")
            .arg(port.toString());
    }
    return {};
}

void SchreibeAnrufmonitor(QSettings* einstellungen, const AnrufmonitorEinstellungen& werte) {
    if (einstellungen == nullptr) {
        return;
    }
    einstellungen->setValue(Gruppe + QStringLiteral("Aktiv"),
                            werte.aktiv ? QStringLiteral("true") : QStringLiteral("false"));
    einstellungen->setValue(Gruppe + QStringLiteral("Adresse"), werte.adresse);
    einstellungen->setValue(Gruppe + QStringLiteral("Port"), werte.port);
    for (const auto& eintrag : NachTexte) {
        if (eintrag.wert == werte.nachDemGespraech) {
            einstellungen->setValue(Gruppe + QStringLiteral("NachDemGespraech"),
                                    QLatin1String(eintrag.text));
        }
    }
    einstellungen->setValue(Gruppe + QStringLiteral("EigeneVorwahl"), werte.eigeneVorwahl);
    einstellungen->sync();
}

std::optional<int> GemerkteZone(QSettings* einstellungen, const QString& ziffern) {
    if (einstellungen == nullptr || !IstNummer(ziffern)) {
        return std::nullopt;
    }
    bool zahl = false;
    const int zone = einstellungen->value(Nummern + ziffern).toString().toInt(&zahl);
    if (!zahl || zone < 1 || zone > 4) {
        return std::nullopt;
    }
    return zone;
}

namespace {

// Puts `ziffern` last in the order of saves and drops the least recently saved numbers beyond
// the bound.
void Beschraenke(QSettings& einstellungen, const QString& ziffern, int hoechstens) {
    QStringList folge =
        einstellungen.value(Folge).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    folge.removeAll(ziffern);
    einstellungen.beginGroup(Nummern.chopped(1));
    const QStringList nummern = einstellungen.childKeys();
    einstellungen.endGroup();
    // Numbers remembered before the order was kept count as the oldest.
    if (nummern.size() > folge.size() + 1) {
        const QSet<QString> bekannt(folge.begin(), folge.end());
        QStringList aeltere;
        for (const QString& nummer : nummern) {
            if (nummer != ziffern && !bekannt.contains(nummer)) {
                aeltere.append(nummer);
            }
        }
        folge = aeltere + folge;
    }
    folge.append(ziffern);
    const qsizetype zuViele = folge.size() - hoechstens;
    for (qsizetype i = 0; i < zuViele; ++i) {
        einstellungen.remove(Nummern + folge.at(i));
    }
    if (zuViele > 0) {
        folge.remove(0, zuViele);
    }
    einstellungen.setValue(Folge, folge.join(QLatin1Char(' ')));
}

} // namespace

QString MerkeZone(QSettings* einstellungen, const QString& ziffern, int zone, int hoechstens) {
    if (einstellungen == nullptr || !IstNummer(ziffern) || zone < 1 || zone > 4) {
        return {};
    }
    einstellungen->setValue(Nummern + ziffern, zone);
    Beschraenke(*einstellungen, ziffern, hoechstens);
    einstellungen->sync();
    if (einstellungen->status() != QSettings::AccessError) {
        return {};
    }
    return QStringLiteral("Zonen der Rufnummern nicht gespeichert: %1 nicht beschreibbar")
        .arg(einstellungen->fileName());
}

} // namespace tarvis
