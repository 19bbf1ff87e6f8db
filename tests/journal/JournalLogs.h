#pragma once

#include "calllog/LogWriter.h"
#include "support/TempDir.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace tarvis::test {

// Three monthly logs written by the program's own writer, with the calls the journal's tests
// expect. In the order of files and lines:
//   A 04.11.1996 09:12:40  City        2 units  0,24  0711 123456  "Zahnarzt"
//   B 15.11.1996 20:05:00  Region 50   4        0,48  07031 88213  "Bestellung; Nr. "17""
//     then a damaged line (line 9 of its file)
//   C 28.11.1996 08:10:00  Fern       12        1,44  089 4471120
//   D 03.12.1996 19:20:00  Fern       71        8,52  089 4471120  "Mutti"
//   E 31.12.1996 23:50:00  Region 200 24        2,88  0621 339940  "Neujahr" (ends 01.01.1997)
//     then a note by hand and an indented line under it, which belongs to no call
//   F 14.12.1996 11:00:00  City      100       12,00  0711 654321  "Büro"
//   G 05.01.1997 10:10:00  City        2        0,24  0711 123456
class JournalLogs {
public:
    JournalLogs() {
        using namespace std::chrono;
        const Datum nov = year{1996} / 11 / 1, dez = year{1996} / 12 / 1;
        Schreibe(November(),
                 GespraechAm(nov, 4, {9, 12, 40}, 142'400, 1, 2, "0711 123456", "Zahnarzt"));
        Schreibe(November(), GespraechAm(nov, 15, {20, 5, 0}, 162'000, 2, 4, "07031 88213",
                                         "Bestellung; Nr. \"17\""));
        Anhaengen(November(), "16.11.96   19:00:00   16.11.96   19:0\r\n");
        Schreibe(November(), GespraechAm(nov, 28, {8, 10, 0}, 210'200, 4, 12, "089 4471120", ""));
        Schreibe(Dezember(),
                 GespraechAm(dez, 3, {19, 20, 0}, 2'290'000, 4, 71, "089 4471120", "Mutti"));
        Schreibe(Dezember(),
                 GespraechAm(dez, 31, {23, 50, 0}, 1'350'000, 3, 24, "0621 339940", "Neujahr"));
        Anhaengen(Dezember(), "Notiz von Hand\r\n" + QByteArray(57, ' ') + "verwaist\r\n");
        Schreibe(Dezember(),
                 GespraechAm(dez, 14, {11, 0, 0}, 1'500'000, 1, 100, "0711 654321", "B\u00fcro"));
        Schreibe(Januar(),
                 GespraechAm(year{1997} / 1 / 1, 5, {10, 10, 0}, 240'000, 1, 2, "0711 123456", ""));
    }

    QString November() const { return Pfad("Tarvis 11-1996.Rep"); }
    QString Dezember() const { return Pfad("Tarvis 12-1996.Rep"); }
    QString Januar() const { return Pfad("Tarvis 01-1997.Rep"); }
    QStringList Alle() const { return {November(), Dezember(), Januar()}; }
    QString Pfad(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QString Ordner() const { return dir_.path(); }

    // Bytes and modification time of every file of the folder, to show that nothing wrote.
    std::map<QString, std::pair<QByteArray, qint64>> Stand() const {
        std::map<QString, std::pair<QByteArray, qint64>> stand;
        for (const QFileInfo& datei : QDir(dir_.path()).entryInfoList(QDir::Files)) {
            const QString pfad = datei.absoluteFilePath();
            stand[pfad] = {ReadAll(pfad),
                           datei.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch()};
        }
        return stand;
    }

private:
    struct Zeit {
        int stunde, minute, sekunde;
    };

    static Gespraech GespraechAm(Datum monat, int tag, Zeit beginn, std::int64_t dauerMs, int zone,
                                 std::int64_t einheiten, const char* telefon,
                                 const char* kommentar) {
        const Datum datum = monat.year() / monat.month() / std::chrono::day(unsigned(tag));
        const Moment start = MomentAus(datum, beginn.stunde, beginn.minute, beginn.sekunde);
        const Moment stop = start + std::chrono::seconds{dauerMs / 1000};
        const GespraechVorZonenwahl daten =
            GespraechMit(start, stop, dauerMs, ZonenArray(einheiten));
        return daten.MitZone(zone, QString::fromUtf8(telefon), QString::fromUtf8(kommentar));
    }

    static void Schreibe(const QString& pfad, const Gespraech& eintrag) {
        ASSERT_TRUE(AppendCallRecord(pfad, eintrag).geschrieben);
    }

    static void Anhaengen(const QString& pfad, const QByteArray& bytes) {
        QFile datei(pfad);
        ASSERT_TRUE(datei.open(QIODevice::Append));
        datei.write(bytes);
    }

    QTemporaryDir dir_;
};

} // namespace tarvis::test
