#pragma once

#include "journal/JournalData.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvis {

// The journal as German spreadsheets open it directly: UTF-8 without a byte-order mark, a
// heading row, ";" between fields, a decimal comma, dates "dd.mm.yyyy", each row ended by
// CR LF. The window's export and the command line's --csv both write it.
//
// A spreadsheet's import offers Tab, comma and semicolon as separators at once, so every field
// holding a comma ("0,24", "00:02:22,4") is quoted, as is one holding ";" or a quote (quotes
// doubled, as RFC 4180 says). What the user typed is data, never a formula: a number or
// comment that a spreadsheet would take for a formula (starting with "=", "+", "-" or "@") or
// for a number losing its leading zeros ("0711234") gets an invisible word joiner (U+2060) in
// front, so that it shows as typed and stays text. Control characters become "?", as in the
// log.

// What a field holds: a figure or fixed form the program wrote, or a text the user typed.
enum class CsvArt { Wert, Text };

// One field, made safe and quoted where it needs it.
std::string CsvFeld(std::string_view text, CsvArt art = CsvArt::Text);

// The heading row and one row per call of `zeilen`, in that order, handed to `ziel` in pieces
// of some kilobytes; false from `ziel` stops the writing, which then returns false.
bool SchreibeCsv(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen,
                 const std::function<bool(std::string_view stueck)>& ziel);

// A table of the same form: the heading row, then each row, its cells of the kinds given per
// column.
bool SchreibeCsvTabelle(const std::vector<std::string>& koepfe, const std::vector<CsvArt>& arten,
                        const std::vector<std::vector<std::string>>& zeilen,
                        const std::function<bool(std::string_view stueck)>& ziel);

} // namespace tarvis
