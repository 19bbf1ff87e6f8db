#pragma once

#include "calllog/Call.h"

#include <string>
#include <string_view>

namespace tarvis {

// Reads one line of a log back: a record line as the writer wrote it, the comment line under a
// record, or any other line (the heading, a line added by hand), which is passed over. A line
// that starts like a record (a date "dd.mm.yy") but cannot be read says why.
//
// What a sum needs (the day, the zone, the units, the cost) must be readable for a line to
// count as a record. The rest (times, duration, telephone number) is taken where it can be
// read and left empty where not, so lines written by hand or by earlier versions still count.

enum class ZeilenArt { KeinSatz, Satz, Kommentar, Unlesbar };

struct GeleseneLogZeile {
    ZeilenArt art = ZeilenArt::KeinSatz;
    Gespraech gespraech;   // of a record line; its comment is on the next line, so never here
    std::string kommentar; // UTF-8, as typed (a comment line without its indent)
    std::string grund;     // why an unreadable line could not be read
};

// One line without its line end, in the file's bytes (code page 1252). A line indented like a
// comment is reported as one; whether it belongs to a record is up to the caller.
GeleseneLogZeile LiesLogZeile(std::string_view zeile);
// The same into `ziel`, whose texts keep their memory for the next line: how a log is read.
void LiesLogZeile(std::string_view zeile, GeleseneLogZeile& ziel);

// The same, word by word whatever the columns: how LiesLogZeile reads every line that does not
// have the writer's fixed columns. Both give the same for every line (the tests compare them).
GeleseneLogZeile LiesLogZeileWortweise(std::string_view zeile);

// Whether a line starts like a record, with a date "dd.mm.yy", whatever follows.
bool BeginntWieSatz(std::string_view zeile);

} // namespace tarvis
