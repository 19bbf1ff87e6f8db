// The cost of one remembered zone's save (what the window does after each saved call) with many
// numbers remembered already: as it was before (every number kept, the whole file rewritten) and
// now (the 10 000 most recently saved kept), in the same run. Run by
// scripts/measure-number-memory.sh.
//   number_memory [numbers...]   (default 10000 100000)
// Each line: "<numbers> before <ms> now <ms> first <ms> file <KB before> <KB now>", the median of
// 21 saves of new numbers; "first" is the first save now, which drops what is over the bound.
#include "callmonitor/CallMonitorSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// How a zone was remembered before the bound.
void MerkeZoneVorher(QSettings& einstellungen, const QString& ziffern, int zone) {
    einstellungen.setValue(QStringLiteral("Rufnummern/") + ziffern, zone);
    einstellungen.sync();
}

// A settings file with `anzahl` numbers as the program leaves it (with the order of their saves
// when `folge`).
void Schreibe(const QString& pfad, int anzahl, bool folge) {
    QByteArray text = "[Anrufmonitor]\nAktiv=true\n\n[Rufnummern]\n";
    for (int i = 0; i < anzahl; ++i) {
        text +=
            "0301" + QByteArray::number(1000000 + i) + '=' + QByteArray::number(i % 4 + 1) + '\n';
    }
    if (folge) {
        text += "\n[Rufnummernfolge]\nReihenfolge=";
        for (int i = 0; i < anzahl; ++i) {
            text += "0301" + QByteArray::number(1000000 + i) + ' ';
        }
        text += '\n';
    }
    QFile datei(pfad);
    datei.open(QIODevice::WriteOnly);
    datei.write(text);
}

double Median(std::vector<double> werte) {
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

template <typename Speichern>
std::vector<double> Miss(QSettings& einstellungen, Speichern speichern) {
    std::vector<double> ms;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer uhr;
        uhr.start();
        speichern(einstellungen, QStringLiteral("0892%1").arg(1000000 + i));
        ms.push_back(double(uhr.nsecsElapsed()) / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList anzahlen = app.arguments().mid(1);
    if (anzahlen.isEmpty()) {
        anzahlen = {QStringLiteral("10000"), QStringLiteral("100000")};
    }
    for (const QString& wort : anzahlen) {
        const int anzahl = wort.toInt();
        QTemporaryDir ordner;
        const QString vorher = ordner.filePath(QStringLiteral("vorher.conf"));
        const QString jetzt = ordner.filePath(QStringLiteral("jetzt.conf"));
        Schreibe(vorher, anzahl, false);
        Schreibe(jetzt, anzahl, anzahl <= tarvis::GemerkteNummernHoechstens);
        QSettings alt(vorher, QSettings::IniFormat);
        QSettings neu(jetzt, QSettings::IniFormat);
        const auto altMs =
            Miss(alt, [](QSettings& e, const QString& z) { MerkeZoneVorher(e, z, 2); });
        QElapsedTimer uhr;
        uhr.start();
        tarvis::MerkeZone(&neu, QStringLiteral("0891999999"), 2);
        const double erstes = double(uhr.nsecsElapsed()) / 1e6;
        const auto neuMs =
            Miss(neu, [](QSettings& e, const QString& z) { tarvis::MerkeZone(&e, z, 2); });
        std::printf("%d before %.1f now %.1f first %.1f file %lld %lld\n", anzahl, Median(altMs),
                    Median(neuMs), erstes, QFileInfo(vorher).size() / 1024,
                    QFileInfo(jetzt).size() / 1024);
    }
    return 0;
}
