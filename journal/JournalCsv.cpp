#include "journal/JournalCsv.h"

#include "journal/JournalColumns.h"

#include <algorithm>
#include <array>

namespace tarvis {

namespace {

constexpr std::string_view Trenner = ";";
constexpr std::string_view DezimalKomma = ",";
constexpr std::string_view Zeilenende = "\r\n";
constexpr std::string_view WortVerbinder = "\u2060";
constexpr std::size_t StueckGroesse = 64 * 1024;

constexpr std::array<CsvArt, SpaltenAnzahl> SpaltenArt{
    CsvArt::Wert, CsvArt::Wert, CsvArt::Wert, CsvArt::Wert, CsvArt::Text,
    CsvArt::Wert, CsvArt::Wert, CsvArt::Wert, CsvArt::Text,
};

// C0 controls and DEL as one byte, the C1 controls U+0080..U+009F as their two UTF-8 bytes.
std::string OhneSteuerzeichen(std::string_view text) {
    std::string sauber;
    sauber.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x20 || b == 0x7F) {
            sauber += '?';
        } else if (b == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80) {
            sauber += '?';
            ++i;
        } else {
            sauber += text[i];
        }
    }
    return sauber;
}

bool NurZiffern(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A typed text that a spreadsheet would not show as typed: a formula, or a number that loses
// its leading zeros or, past 15 digits, its last ones.
bool BrauchtSchutz(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    if (std::string_view("=+-@").find(text.front()) != std::string_view::npos) {
        return true;
    }
    return NurZiffern(text) && ((text.size() > 1 && text.front() == '0') || text.size() > 15);
}

void Zeile(std::string& stueck, const std::vector<std::string>& felder,
           const std::vector<CsvArt>& arten) {
    for (std::size_t spalte = 0; spalte < felder.size(); ++spalte) {
        stueck += spalte == 0 ? std::string_view() : Trenner;
        stueck += CsvFeld(felder[spalte], spalte < arten.size() ? arten[spalte] : CsvArt::Text);
    }
    stueck += Zeilenende;
}

} // namespace

std::string CsvFeld(std::string_view text, CsvArt art) {
    std::string feld;
    if (art == CsvArt::Text) {
        feld = OhneSteuerzeichen(text);
        if (BrauchtSchutz(feld)) {
            feld.insert(0, WortVerbinder);
        }
    } else {
        feld = std::string(text);
    }
    if (feld.find_first_of(",;\"\r\n") == std::string::npos) {
        return feld;
    }
    std::string zitiert = "\"";
    for (const char c : feld) {
        if (c == '"') {
            zitiert += '"';
        }
        zitiert += c;
    }
    zitiert += '"';
    return zitiert;
}

bool SchreibeCsv(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen,
                 const std::function<bool(std::string_view)>& ziel) {
    std::string stueck;
    Zeile(stueck, std::vector<std::string>(SpaltenName.begin(), SpaltenName.end()), {});
    for (const std::uint32_t i : zeilen) {
        for (int spalte = 0; spalte < SpaltenAnzahl; ++spalte) {
            const auto s = static_cast<std::size_t>(spalte);
            stueck += spalte == 0 ? std::string_view() : Trenner;
            stueck +=
                CsvFeld(ZellenText(daten, daten[i], static_cast<Spalte>(spalte), DezimalKomma),
                        SpaltenArt[s]);
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

bool SchreibeCsvTabelle(const std::vector<std::string>& koepfe, const std::vector<CsvArt>& arten,
                        const std::vector<std::vector<std::string>>& zeilen,
                        const std::function<bool(std::string_view)>& ziel) {
    std::string stueck;
    Zeile(stueck, koepfe, {});
    for (const std::vector<std::string>& zeile : zeilen) {
        Zeile(stueck, zeile, arten);
    }
    return ziel(stueck);
}

} // namespace tarvis
