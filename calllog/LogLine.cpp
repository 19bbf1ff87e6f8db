#include "calllog/LogLine.h"

#include "calllog/Cp1252.h"
#include "calllog/LogFormat.h"
#include "tariff/Parse.h"
#include "tariff/TariffTables.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tarvis {

namespace {

// Digits a units or cost field may have; more would not be a real call and could overflow sums.
constexpr std::size_t MaxZiffern = 12;

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

bool IstKommentar(std::string_view zeile) {
    return zeile.size() > KommentarEinzug && zeile.find_first_not_of(' ') >= KommentarEinzug;
}

bool IstLeer(char c) {
    return c == ' ' || c == '\t';
}

std::string_view OhneLeerzeichenRechts(std::string_view text) {
    while (!text.empty() && IstLeer(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view OhneLeerzeichenLinks(std::string_view text) {
    while (!text.empty() && IstLeer(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Takes the last blank-separated word off the text.
std::string_view LetztesWort(std::string_view& text) {
    text = OhneLeerzeichenRechts(text);
    std::size_t beginn = text.size();
    while (beginn > 0 && !IstLeer(text[beginn - 1])) {
        --beginn;
    }
    const std::string_view wort = text.substr(beginn);
    text = text.substr(0, beginn);
    return wort;
}

// Takes the first blank-separated word off the text, if `passt` accepts it.
template <class Leser> auto ErstesWort(std::string_view& text, Leser leser) {
    const std::string_view rest = OhneLeerzeichenLinks(text);
    std::size_t ende = 0;
    while (ende < rest.size() && !IstLeer(rest[ende])) {
        ++ende;
    }
    auto wert = leser(rest.substr(0, ende));
    if (wert) {
        text = rest.substr(ende);
    }
    return wert;
}

std::optional<std::int64_t> LiesGanzzahl(std::string_view text) {
    return LiesZiffern(text, 1, MaxZiffern);
}

// "0,24" in Pfennig. Earlier versions wrote the cost with the decimal separator of the user's
// settings: "0.24", or "0?24" where code page 1252 has no byte for it (Arabic and Persian
// settings). All of them are read.
std::optional<std::int64_t> LiesBetrag(std::string_view text) {
    if (text.size() < 4) {
        return std::nullopt;
    }
    const char trenner = text[text.size() - 3];
    if (trenner != ',' && trenner != '.' && trenner != '?') {
        return std::nullopt;
    }
    const auto mark = LiesGanzzahl(text.substr(0, text.size() - 3));
    const auto pfennig = LiesZiffern(text.substr(text.size() - 2), 2, 2);
    if (!mark || !pfennig) {
        return std::nullopt;
    }
    return *mark * 100 + *pfennig;
}

// The zone whose name ends the text, standing on its own (a blank or nothing before it).
int ZoneAmEnde(std::string_view& text) {
    text = OhneLeerzeichenRechts(text);
    // The longer names first, so that no name is taken for the end of another.
    for (int zone : {3, 2, 1, 4}) {
        const std::string_view name = ZonenName[zone];
        if (text.size() < name.size() || text.substr(text.size() - name.size()) != name) {
            continue;
        }
        const std::size_t beginn = text.size() - name.size();
        if (beginn == 0 || IstLeer(text[beginn - 1])) {
            text = text.substr(0, beginn);
            return zone;
        }
    }
    return 0;
}

GeleseneLogZeile Unlesbar(std::string grund) {
    GeleseneLogZeile ergebnis;
    ergebnis.art = ZeilenArt::Unlesbar;
    ergebnis.grund = std::move(grund);
    return ergebnis;
}

// The fields between the start date and the zone: start time, stop date, stop time, duration,
// each taken when it can be read, and the telephone number, which is the rest.
void LiesMitte(std::string_view mitte, Gespraech& satz) {
    satz.startSekunde = ErstesWort(mitte, UhrzeitAusText);
    satz.stopDatum = ErstesWort(mitte, DatumAusText);
    satz.stopSekunde = ErstesWort(mitte, UhrzeitAusText);
    satz.dauerMs = ErstesWort(mitte, DauerAusText);
    satz.telefon = Utf8AusCp1252(OhneLeerzeichenRechts(OhneLeerzeichenLinks(mitte)));
}

// A field where the writer puts it when every field has its nominal width.
std::string_view Feld(std::string_view zeile, const LogFeld& feld) {
    return zeile.substr(feld.spalte, feld.breite);
}

// The blanks between the fields of a record line as a pattern of 8-byte words, made when
// compiling: a line of the writer's width is checked with a few word compares. Word `k` covers
// the columns from Wortbeginn(k) on; the last one reaches back so as to end with the line.
constexpr std::size_t WortAnzahl = (LogSatz::Breite + 7) / 8;

constexpr std::size_t Wortbeginn(std::size_t wort) {
    return std::min(wort * 8, LogSatz::Breite - 8);
}

struct Lueckenmuster {
    std::array<std::uint64_t, WortAnzahl> blanks{}; // ' ' in each byte of a gap
    std::array<std::uint64_t, WortAnzahl> maske{};  // 0xFF in each byte of a gap
};

constexpr Lueckenmuster LueckenMuster = [] {
    std::array<bool, LogSatz::Breite> luecke{};
    for (const LogFeld& feld : LogSatz::Felder) {
        for (std::size_t spalte = feld.spalte - feld.luecke; spalte < feld.spalte; ++spalte) {
            luecke[spalte] = true;
        }
    }
    Lueckenmuster muster;
    for (std::size_t wort = 0; wort < WortAnzahl; ++wort) {
        for (std::size_t byte = 0; byte < 8; ++byte) {
            if (luecke[Wortbeginn(wort) + byte]) {
                const int schiebe =
                    8 *
                    static_cast<int>(std::endian::native == std::endian::little ? byte : 7 - byte);
                muster.blanks[wort] |= std::uint64_t{' '} << schiebe;
                muster.maske[wort] |= std::uint64_t{0xFF} << schiebe;
            }
        }
    }
    return muster;
}();

// Whether every gap of a line of the writer's width holds a blank.
bool LueckenLeer(std::string_view zeile) {
    std::uint64_t abweichung = 0;
#pragma GCC unroll 16
    for (std::size_t wort = 0; wort < WortAnzahl; ++wort) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, zeile.data() + Wortbeginn(wort), sizeof bytes);
        abweichung |= (bytes ^ LueckenMuster.blanks[wort]) & LueckenMuster.maske[wort];
    }
    return abweichung == 0;
}

static_assert(LogSatz::Einheiten.breite <= MaxZiffern && LogSatz::Kosten.breite - 3 <= MaxZiffern &&
                  LogSatz::Kosten.breite >= 4,
              "a figure in its field is never more digits than a sum takes");

// A figure as the writer puts it in its field: blanks, then at least one digit to the field's
// end. False for any other text, which the reading word by word then reads.
bool ZahlRechtsbuendig(std::string_view feld, std::int64_t& wert) {
    std::size_t i = 0;
    while (i < feld.size() && feld[i] == ' ') {
        ++i;
    }
    if (i == feld.size()) {
        return false;
    }
    wert = 0;
    for (; i < feld.size(); ++i) {
        const unsigned ziffer = static_cast<unsigned char>(feld[i]) - unsigned{'0'};
        if (ziffer > 9) {
            return false;
        }
        wert = wert * 10 + ziffer;
    }
    return true;
}

// A cost as the writer puts it in its field: a figure, the separator and two digits of
// Pfennig, in the forms LiesBetrag takes.
bool BetragRechtsbuendig(std::string_view feld, std::int64_t& pfennig) {
    const std::size_t trennerStelle = feld.size() - 3;
    const char trenner = feld[trennerStelle];
    std::int64_t mark = 0;
    const int zweiStellen = festeform::ZweiZiffern(feld, trennerStelle + 1);
    if ((trenner != ',' && trenner != '.' && trenner != '?') || zweiStellen < 0 ||
        !ZahlRechtsbuendig(feld.substr(0, trennerStelle), mark)) {
        return false;
    }
    pfennig = mark * 100 + zweiStellen;
    return true;
}

int FesteZone(std::string_view feld) {
    const std::string_view name = feld.substr(0, feld.find_last_not_of(' ') + 1);
    for (int zone : AlleZonen) {
        if (name == ZonenName[zone]) {
            return zone;
        }
    }
    return 0;
}

// Almost every line of a log is the writer's own, every field at its nominal width; such a line
// is read by position, which is several times faster than word by word. Each field is read by
// the same rule as word by word, and only when the blanks around it make it the very word that
// reading would take, so the result is the one LiesLogZeileWortweise gives. Any line this does
// not take (a longer duration or figure, a short typed time, a hand-written or damaged line) is
// read word by word.
bool LiesFesteSpalten(std::string_view z, Gespraech& satz) {
    if (z.size() != LogSatz::Breite || !BeginntWieSatz(z) ||
        !IstLeer(z[LogSatz::Zone.spalte - 1]) ||
        Feld(z, LogSatz::Waehrung) != LogSatz::WaehrungText) {
        return false;
    }
    if (!LueckenLeer(z)) {
        return false;
    }
    // A field not in the writer's own form sends the line to the reading word by word, which
    // reads it by the general rule.
    Datum start{};
    Datum stop{};
    int startSekunde = 0;
    int stopSekunde = 0;
    std::int64_t dauer = 0;
    std::int64_t einheiten = 0;
    std::int64_t kosten = 0;
    const int zone = FesteZone(Feld(z, LogSatz::Zone));
    if (!DatumInFesterForm(Feld(z, LogSatz::StartDatum), start) ||
        !UhrzeitInFesterForm(Feld(z, LogSatz::StartZeit), startSekunde) ||
        !DatumInFesterForm(Feld(z, LogSatz::StopDatum), stop) ||
        !UhrzeitInFesterForm(Feld(z, LogSatz::StopZeit), stopSekunde) ||
        !DauerInFesterForm(Feld(z, LogSatz::Dauer), dauer) || zone == 0 ||
        !ZahlRechtsbuendig(Feld(z, LogSatz::Einheiten), einheiten) ||
        !BetragRechtsbuendig(Feld(z, LogSatz::Kosten), kosten)) {
        return false;
    }
    satz.startDatum = start;
    satz.startSekunde = startSekunde;
    satz.stopDatum = stop;
    satz.stopSekunde = stopSekunde;
    satz.dauerMs = dauer;
    Utf8AusCp1252(OhneLeerzeichenRechts(OhneLeerzeichenLinks(Feld(z, LogSatz::Telefon))),
                  satz.telefon);
    satz.zone = zone;
    satz.einheiten = einheiten;
    satz.kostenPfennig = kosten;
    return true;
}

} // namespace

bool BeginntWieSatz(std::string_view zeile) {
    return zeile.size() >= 8 && IstZiffer(zeile[0]) && IstZiffer(zeile[1]) && zeile[2] == '.' &&
           IstZiffer(zeile[3]) && IstZiffer(zeile[4]) && zeile[5] == '.' && IstZiffer(zeile[6]) &&
           IstZiffer(zeile[7]);
}

void LiesLogZeile(std::string_view zeile, GeleseneLogZeile& ziel) {
    if (LiesFesteSpalten(zeile, ziel.gespraech)) {
        ziel.art = ZeilenArt::Satz;
        ziel.gespraech.kommentar.clear();
        ziel.kommentar.clear();
        ziel.grund.clear();
        return;
    }
    ziel = LiesLogZeileWortweise(zeile);
}

GeleseneLogZeile LiesLogZeile(std::string_view zeile) {
    GeleseneLogZeile ergebnis;
    LiesLogZeile(zeile, ergebnis);
    return ergebnis;
}

GeleseneLogZeile LiesLogZeileWortweise(std::string_view zeile) {
    if (IstKommentar(zeile)) {
        GeleseneLogZeile kommentar;
        kommentar.art = ZeilenArt::Kommentar;
        kommentar.kommentar = Utf8AusCp1252(zeile.substr(KommentarEinzug));
        return kommentar;
    }
    if (!BeginntWieSatz(zeile)) {
        return {};
    }
    const auto datum = DatumAusText(zeile.substr(0, 8));
    if (!datum) {
        return Unlesbar("kein gültiges Datum");
    }
    std::string_view rest = OhneLeerzeichenRechts(zeile);
    if (LetztesWort(rest) != LogSatz::WaehrungText) {
        return Unlesbar("\"DM\" fehlt am Zeilenende");
    }
    const auto kosten = LiesBetrag(LetztesWort(rest));
    if (!kosten) {
        return Unlesbar("Gebühren nicht lesbar");
    }
    const auto einheiten = LiesGanzzahl(LetztesWort(rest));
    if (!einheiten) {
        return Unlesbar("Einheiten nicht lesbar");
    }
    const int zone = ZoneAmEnde(rest);
    if (zone == 0) {
        return Unlesbar("Tarifbereich nicht lesbar");
    }
    GeleseneLogZeile ergebnis;
    ergebnis.art = ZeilenArt::Satz;
    Gespraech& satz = ergebnis.gespraech;
    satz.startDatum = *datum;
    satz.zone = zone;
    satz.einheiten = *einheiten;
    satz.kostenPfennig = *kosten;
    LiesMitte(rest.substr(8), satz);
    return ergebnis;
}

} // namespace tarvis
