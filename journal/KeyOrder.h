#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace tarvis {

// Sorts 64-bit entries ascending by their whole value, in place: a radix sort from the most
// significant bits on (an "American flag" sort), one pass over a range for each digit of 8 or
// 11 bits in which its entries differ, no second array. Entries of a 32-bit key in the upper half and their
// position in the lower half thus come out by key and, where keys are equal, by position: as a
// stable sort of the keys would put them, in the room of the entries alone. A million entries
// take a few milliseconds where a comparison sort takes a hundred.
void OrdneEintraege(std::span<std::uint64_t> eintraege);

// `folge` in the order of sorted entries whose lower halves are positions in `folge`. The
// entries are used up.
void FolgeNachEintraegen(std::vector<std::uint32_t>& folge, std::span<std::uint64_t> eintraege);

// Puts `folge` (indices of up to 2^32 things) into the order of `schluessel(index)`, a 32-bit
// key; things of equal keys keep their order in `folge`. Sorting by a lesser key first and by
// a greater one after thus orders by both. Needs 8 bytes a thing beside `folge`, once.
template <class Schluessel>
void OrdneStabil(std::vector<std::uint32_t>& folge, Schluessel schluessel) {
    std::vector<std::uint64_t> eintraege(folge.size());
    for (std::size_t i = 0; i < folge.size(); ++i) {
        eintraege[i] = std::uint64_t{std::uint32_t(schluessel(folge[i]))} << 32 | i;
    }
    OrdneEintraege(eintraege);
    FolgeNachEintraegen(folge, eintraege);
}

// As OrdneStabil, by a 64-bit value, ascending or descending; equal values keep their order in
// `folge` either way. Fewer distinct values than things (zones, units, times of day) are
// counted; values within 2^32 of each other, as nearly every column's are, take one round of
// OrdneStabil; others two.
template <class Wert>
void OrdneStabilNachWert(std::vector<std::uint32_t>& folge, Wert wert, bool absteigend) {
    if (folge.empty()) {
        return;
    }
    std::int64_t kleinster = std::numeric_limits<std::int64_t>::max();
    std::int64_t groesster = std::numeric_limits<std::int64_t>::min();
    for (const std::uint32_t i : folge) {
        const std::int64_t w = wert(i);
        kleinster = w < kleinster ? w : kleinster;
        groesster = w > groesster ? w : groesster;
    }
    // The distance from the end the order starts at: never negative, so no sign is in the way.
    auto abstand = [&](std::uint32_t i) {
        const auto w = std::uint64_t(wert(i));
        return absteigend ? std::uint64_t(groesster) - w : w - std::uint64_t(kleinster);
    };
    const std::uint64_t spanne = std::uint64_t(groesster) - std::uint64_t(kleinster);
    if (spanne < folge.size()) {
        // Fewer values than things: a count of each value, and each thing put straight into
        // its place. The new order and the counts take at most 8 bytes a thing beside `folge`,
        // mostly 4, and the values are read in two passes instead of sorted.
        std::vector<std::uint32_t> anzahl(spanne + 2, 0);
        for (const std::uint32_t i : folge) {
            ++anzahl[abstand(i) + 1];
        }
        for (std::size_t w = 1; w < anzahl.size(); ++w) {
            anzahl[w] += anzahl[w - 1];
        }
        std::vector<std::uint32_t> geordnet(folge.size());
        for (const std::uint32_t i : folge) {
            geordnet[anzahl[abstand(i)]++] = i;
        }
        folge.swap(geordnet);
        return;
    }
    if (spanne >> 32 != 0) {
        OrdneStabil(folge, [&](std::uint32_t i) { return std::uint32_t(abstand(i)); });
        OrdneStabil(folge, [&](std::uint32_t i) { return std::uint32_t(abstand(i) >> 32); });
        return;
    }
    OrdneStabil(folge, [&](std::uint32_t i) { return std::uint32_t(abstand(i)); });
}

} // namespace tarvis
