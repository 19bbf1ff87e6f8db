#include "journal/JournalFilter.h"

#include <algorithm>
#include <chrono>

namespace tarvis {

namespace {

// Folds ASCII letters and the two-byte UTF-8 forms of Latin-1's capitals (À..Þ, without ×)
// to lower case; every other byte stays as it is. The log's texts come from code page 1252,
// so this covers all but a handful of its letters (Š, Œ, Ž, Ÿ).
void Falte(std::string_view text, std::string& ziel) {
    ziel.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 'A' && b <= 'Z') {
            ziel += static_cast<char>(b + 32);
        } else if (b == 0xC3 && i + 1 < text.size()) {
            const auto n = static_cast<unsigned char>(text[i + 1]);
            ziel += text[i];
            ziel += static_cast<char>(n >= 0x80 && n <= 0x9E && n != 0x97 ? n + 32 : n);
            ++i;
        } else {
            ziel += text[i];
        }
    }
}

} // namespace

std::string SuchForm(std::string_view utf8) {
    std::string form;
    Falte(utf8, form);
    return form;
}

bool Enthaelt(std::string_view text, std::string_view suchForm) {
    if (suchForm.empty()) {
        return true;
    }
    if (text.size() < suchForm.size()) {
        return false;
    }
    thread_local std::string gefaltet;
    Falte(text, gefaltet);
    return gefaltet.find(suchForm) != std::string::npos;
}

namespace {

// Folding changes only letters and the byte after 0xC3, so a search of ASCII bytes without a
// letter (a number, as most searches are) is found in a text exactly where it is found in the
// folded text: the texts need no folding.
bool OhneBuchstaben(std::string_view suchForm) {
    for (const char c : suchForm) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 || (b >= 'a' && b <= 'z')) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<std::uint32_t> Gefiltert(const JournalDaten& daten,
                                     const std::vector<std::uint32_t>& folge,
                                     const JournalFilter& filter) {
    const std::string suche = SuchForm(filter.suche);
    const bool wieGeschrieben = OhneBuchstaben(suche);
    auto enthaelt = [&](std::string_view text) {
        return wieGeschrieben ? text.find(suche) != std::string_view::npos : Enthaelt(text, suche);
    };
    auto passt = [&](const JournalSatz& satz) {
        if (filter.zone != 0 && satz.zone != filter.zone) {
            return false;
        }
        if (filter.monat && satz.Monat() != *filter.monat) {
            return false;
        }
        return suche.empty() || enthaelt(daten.Telefon(satz)) || enthaelt(daten.Kommentar(satz));
    };
    std::vector<std::uint32_t> zeilen;
    zeilen.reserve(folge.size());
    for (const std::uint32_t i : folge) {
        if (passt(daten[i])) {
            zeilen.push_back(i);
        }
    }
    return zeilen;
}

std::vector<std::pair<int, int>> MonateIn(const JournalDaten& daten) {
    std::vector<std::pair<int, int>> monate;
    // Calls come month by month, so the last month seen is mostly the one of the next: a day
    // within its days needs no calendar.
    std::int32_t monatsAnfang = 1, monatsEnde = 0;
    for (std::size_t i = 0; i < daten.Anzahl(); ++i) {
        const JournalSatz satz = daten[i];
        if (satz.startTag >= monatsAnfang && satz.startTag <= monatsEnde) {
            continue;
        }
        const Datum datum = satz.StartDatum();
        const auto erster = std::chrono::sys_days{datum.year() / datum.month() / 1};
        const auto letzter =
            std::chrono::sys_days{datum.year() / datum.month() / std::chrono::last};
        monatsAnfang = std::int32_t(erster.time_since_epoch().count());
        monatsEnde = std::int32_t(letzter.time_since_epoch().count());
        const auto monat = satz.Monat();
        if (monate.empty() || monate.back() != monat) {
            monate.push_back(monat);
        }
    }
    std::sort(monate.begin(), monate.end());
    monate.erase(std::unique(monate.begin(), monate.end()), monate.end());
    return monate;
}

QString MonatsText(std::pair<int, int> monat) {
    return QStringLiteral("%1/%2").arg(monat.second, 2, 10, QLatin1Char('0')).arg(monat.first);
}

} // namespace tarvis
