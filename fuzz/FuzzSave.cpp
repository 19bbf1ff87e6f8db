// The save path's record writer fed any telephone number, comment, zone and figures: the record
// line keeps its columns, nothing can split it, and the reader gets back what was written.
#include "calllog/Call.h"
#include "calllog/Cp1252.h"
#include "calllog/LogLine.h"
#include "calllog/LogWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

using namespace tarvis;
using namespace std::chrono;

namespace {

void Pruefe(bool bedingung) {
    if (!bedingung) {
        std::abort();
    }
}

// Takes `n` bytes off the front as an unsigned number (fewer when the input ends).
std::uint64_t Zahl(std::string_view& rest, std::size_t n) {
    std::uint64_t wert = 0;
    for (std::size_t i = 0; i < n && !rest.empty(); ++i) {
        wert = (wert << 8) | static_cast<unsigned char>(rest.front());
        rest.remove_prefix(1);
    }
    return wert;
}

bool IstLeer(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Getrimmt(std::string_view text) {
    while (!text.empty() && IstLeer(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IstLeer(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    std::string_view rest(reinterpret_cast<const char*>(daten), groesse);
    // Figures first: a start in 1930..2029 (the years a log's two digits name), a duration of up
    // to 100 hours, units per zone, the zone; then number and comment as UTF-8, split at the
    // first 0 byte.
    const auto tag = static_cast<int>(Zahl(rest, 2) % 36'524);
    const Moment start =
        MomentAus(year{1930} / 1 / 1) + days{tag} + seconds{Zahl(rest, 3) % 86'400};
    const auto dauerMs = static_cast<std::int64_t>(Zahl(rest, 4) % 360'000'000);
    ZonenArray<std::int64_t> einheiten;
    for (int zone : AlleZonen) {
        einheiten[zone] = static_cast<std::int64_t>(Zahl(rest, 3));
    }
    const int zone = 1 + static_cast<int>(Zahl(rest, 1) % 4);
    const std::size_t trenner = rest.find('\0');
    const QString telefon = QString::fromUtf8(rest.substr(0, trenner));
    const QString kommentar =
        trenner == std::string_view::npos ? QString() : QString::fromUtf8(rest.substr(trenner + 1));

    const Gespraech gespraech =
        GespraechMit(start, start + seconds{dauerMs / 1000}, dauerMs, einheiten)
            .MitZone(zone, telefon, kommentar);
    const QByteArray satz = SatzZeile(gespraech);
    const std::string_view zeile(satz.constData(), static_cast<std::size_t>(satz.size()));

    // One line, ended by CR LF and nothing else breaks it.
    Pruefe(zeile.size() >= 2 && zeile.substr(zeile.size() - 5) == " DM\r\n");
    const std::string_view inhalt = zeile.substr(0, zeile.size() - 2);
    Pruefe(inhalt.find_first_of("\r\n") == std::string_view::npos);
    // The fixed columns hold while the number fits its 18 columns and the figures theirs.
    const QByteArray telefonBytes = Cp1252Text(telefon);
    Pruefe(telefonBytes.size() == telefon.toUcs4().size()); // one byte per character
    const bool dauerPasst = dauerMs < 100LL * 3'600'000;
    if (telefonBytes.size() <= 15 && dauerPasst && einheiten[zone] <= 99'999) {
        Pruefe(inhalt.size() == 109);
        Pruefe(inhalt.substr(75, 13).find_first_not_of(' ') == 0);
        Pruefe(inhalt[94] == ' ' && inhalt[95] == ' ' && inhalt[96] == ' ');
    }

    // The reader gets back what was written.
    const GeleseneLogZeile gelesen = LiesLogZeile(inhalt);
    Pruefe(gelesen.art == ZeilenArt::Satz);
    const Gespraech& s = gelesen.gespraech;
    Pruefe(s.startDatum == DatumVon(start));
    Pruefe(s.startSekunde == SekundeDesTages(start));
    Pruefe(s.zone == zone);
    Pruefe(s.einheiten == einheiten[zone]);
    Pruefe(s.kostenPfennig == gespraech.kostenPfennig);
    Pruefe(s.dauerMs == dauerMs / 100 * 100);
    Pruefe(std::string_view(s.telefon) ==
           Getrimmt(Utf8AusCp1252(std::string_view(
               telefonBytes.constData(), static_cast<std::size_t>(telefonBytes.size())))));

    // The comment line: indented to column 58, one line, or none for no comment.
    const QByteArray kommentarZeile = KommentarZeile(gespraech.kommentar);
    if (kommentar.isEmpty()) {
        Pruefe(kommentarZeile.isEmpty());
    } else {
        Pruefe(kommentarZeile.startsWith(QByteArray(57, ' ')) && kommentarZeile.endsWith("\r\n"));
        Pruefe(kommentarZeile.chopped(2).indexOf('\r') < 0 &&
               kommentarZeile.indexOf('\n') == kommentarZeile.size() - 1);
    }
    return 0;
}
