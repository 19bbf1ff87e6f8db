#pragma once

#include "journal/JournalData.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvis {

// What the window's filters let through; a filter left empty lets everything through.
struct JournalFilter {
    std::optional<std::pair<int, int>> monat; // (year, month) of the start
    int zone = 0;                             // 0: every zone
    std::string suche;                        // UTF-8; in the number or the comment, any case
};

// A search text as the journal compares it: upper and lower case alike (ASCII and the Latin
// letters of the log's code page).
std::string SuchForm(std::string_view utf8);
// Whether `text` holds `suchForm` (a SuchForm), in any case.
bool Enthaelt(std::string_view text, std::string_view suchForm);

// The calls of `folge` that pass the filter, in the same order.
std::vector<std::uint32_t> Gefiltert(const JournalDaten& daten,
                                     const std::vector<std::uint32_t>& folge,
                                     const JournalFilter& filter);

// Every month in which a call starts, in calendar order.
std::vector<std::pair<int, int>> MonateIn(const JournalDaten& daten);

// "12/1996", as the command line's report names a month.
QString MonatsText(std::pair<int, int> monat);

} // namespace tarvis
