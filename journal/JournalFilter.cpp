#include "journal/JournalFilter.h"

#include <algorithm>

namespace tarvis {

std::vector<std::uint32_t> Gefiltert(const JournalDaten& daten,
                                     const std::vector<std::uint32_t>& folge,
                                     const JournalFilter& filter) {
    const std::string suche = SuchForm(filter.suche);
    auto passt = [&](const JournalSatz& satz) {
        if (filter.zone != 0 && satz.zone != filter.zone) {
            return false;
        }
        if (filter.monat && satz.Monat() != *filter.monat) {
            return false;
        }
        return suche.empty() || Enthaelt(daten.Telefon(satz), suche) ||
               Enthaelt(daten.Kommentar(satz), suche);
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
    for (const JournalSatz& satz : daten.Saetze()) {
        // Calls come month by month, so the last month seen is mostly the one of the next.
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
