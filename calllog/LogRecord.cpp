#include "calllog/LogRecord.h"

#include "calllog/Cp1252.h"
#include "calllog/LogFormat.h"
#include "tariff/Duration.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <cstdint>
#include <string>

namespace tarvis {

namespace {

// A field after the blanks that part it from the one before, padded to its width, never cut.
void Feld(QByteArray& zeile, const LogFeld& feld, const QByteArray& text) {
    const auto breite = static_cast<qsizetype>(feld.breite);
    zeile += QByteArray(static_cast<qsizetype>(feld.luecke), ' ');
    zeile += feld.ausrichtung == Ausrichtung::Links ? text.leftJustified(breite, ' ', false)
                                                    : text.rightJustified(breite, ' ', false);
}

// A heading line: each word at its column.
QByteArray KopfZeile(const auto& woerter) {
    QString zeile;
    for (const LogKopfWort& wort : woerter) {
        zeile = zeile.leftJustified(static_cast<qsizetype>(wort.spalte), u' ') +
                QString::fromUtf8(wort.wort.data(), static_cast<qsizetype>(wort.wort.size()));
    }
    return Cp1252Text(zeile) + LogZeilenende;
}

// The typed texts, which the call holds in UTF-8.
QByteArray Cp1252AusUtf8(std::string_view text) {
    return Cp1252Text(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// The program's own fields (dates, times, figures, zone names) are plain ASCII.
QByteArray Ascii(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QByteArray KopfZeilen() {
    return KopfZeile(LogKopfZeile1) + KopfZeile(LogKopfZeile2) +
           QByteArray(LogSatz::Breite, LogKopfStrich) + LogZeilenende + LogZeilenende;
}

QByteArray SatzZeile(const Gespraech& g) {
    // A field the call lacks stays blank.
    const auto oder = [](const auto& wert, auto text) {
        return wert ? Ascii(text(*wert)) : QByteArray();
    };
    QByteArray zeile;
    Feld(zeile, LogSatz::StartDatum, Ascii(DatumKurzText(g.startDatum)));
    Feld(zeile, LogSatz::StartZeit, oder(g.startSekunde, ZeitText));
    Feld(zeile, LogSatz::StopDatum, oder(g.stopDatum, DatumKurzText));
    Feld(zeile, LogSatz::StopZeit, oder(g.stopSekunde, ZeitText));
    Feld(zeile, LogSatz::Dauer, oder(g.dauerMs, [](std::int64_t ms) { return DauerText(ms); }));
    Feld(zeile, LogSatz::Telefon, Cp1252AusUtf8(g.telefon) + ' ');
    Feld(zeile, LogSatz::Zone, Ascii(ZonenName[g.zone]));
    Feld(zeile, LogSatz::Einheiten, Ascii(std::to_string(g.einheiten)));
    Feld(zeile, LogSatz::Kosten, Ascii(BetragText(g.kostenPfennig, LogDezimalTrenner)));
    Feld(zeile, LogSatz::Waehrung, Ascii(LogSatz::WaehrungText));
    return zeile + LogZeilenende;
}

QByteArray KommentarZeile(std::string_view kommentar) {
    if (kommentar.empty()) {
        return {};
    }
    return QByteArray(static_cast<qsizetype>(KommentarEinzug), ' ') + Cp1252AusUtf8(kommentar) +
           LogZeilenende;
}

} // namespace tarvis
