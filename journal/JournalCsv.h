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
// CR LF; a field holding ";", a quote or a line break is quoted as RFC 4180 says.
// The window's export and the command line's --csv both write it.

// One field, quoted where it needs it.
std::string CsvFeld(std::string_view text);

// The heading row and one row per call of `zeilen`, in that order, handed to `ziel` in pieces
// of some kilobytes; false from `ziel` stops the writing, which then returns false.
bool SchreibeCsv(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen,
                 const std::function<bool(std::string_view stueck)>& ziel);

} // namespace tarvis
