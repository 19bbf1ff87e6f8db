#include "journal/JournalCsv.h"

#include "journal/JournalView.h"

namespace tarvis {

namespace {

constexpr std::string_view Trenner = ";";
constexpr std::string_view DezimalKomma = ",";
constexpr std::string_view Zeilenende = "\r\n";
constexpr std::size_t StueckGroesse = 64 * 1024;

} // namespace

std::string CsvFeld(std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string feld = "\"";
    for (const char c : text) {
        if (c == '"') {
            feld += '"';
        }
        feld += c;
    }
    feld += '"';
    return feld;
}

bool SchreibeCsv(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen,
                 const std::function<bool(std::string_view)>& ziel) {
    std::string stueck;
    for (int spalte = 0; spalte < SpaltenAnzahl; ++spalte) {
        stueck += spalte == 0 ? std::string_view() : Trenner;
        stueck += CsvFeld(SpaltenName[static_cast<std::size_t>(spalte)]);
    }
    stueck += Zeilenende;
    for (const std::uint32_t i : zeilen) {
        for (int spalte = 0; spalte < SpaltenAnzahl; ++spalte) {
            stueck += spalte == 0 ? std::string_view() : Trenner;
            stueck +=
                CsvFeld(ZellenText(daten, daten[i], static_cast<Spalte>(spalte), DezimalKomma));
        }
        stueck += Zeilenende;
        if (stueck.size() >= StueckGroesse) {
            if (!ziel(stueck)) {
                return false;
            }
            stueck.clear();
        }
    }
    return stueck.empty() || ziel(stueck);
}

} // namespace tarvis
