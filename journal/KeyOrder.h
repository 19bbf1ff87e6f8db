#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace tarvis {

// Sorts entries of a 32-bit key in the upper half and anything in the lower half by their keys
// alone, keeping the order of entries of equal keys: a radix sort, one pass over the entries
// for each byte of the keys in which they differ. A million entries take a few milliseconds
// where a comparison sort takes a hundred.
void OrdneNachOberenBits(std::vector<std::uint64_t>& eintraege);

// Puts `folge` (indices of up to 2^32 things) into the order of `schluessel(index)`, a 32-bit
// key; things of equal keys keep their order in `folge`. Sorting by a lesser key first and by
// a greater one after thus orders by both.
template <class Schluessel>
void OrdneStabil(std::vector<std::uint32_t>& folge, Schluessel schluessel) {
    std::vector<std::uint64_t> eintraege(folge.size());
    for (std::size_t i = 0; i < folge.size(); ++i) {
        eintraege[i] = std::uint64_t{std::uint32_t(schluessel(folge[i]))} << 32 | folge[i];
    }
    OrdneNachOberenBits(eintraege);
    for (std::size_t i = 0; i < folge.size(); ++i) {
        folge[i] = std::uint32_t(eintraege[i]);
    }
}

// As OrdneStabil, by a 64-bit value, ascending or descending; equal values keep their order in
// `folge` either way. Values within 2^32 of each other, as nearly every column's are, take one
// round; others two.
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
    if ((std::uint64_t(groesster) - std::uint64_t(kleinster)) >> 32 != 0) {
        OrdneStabil(folge, [&](std::uint32_t i) { return std::uint32_t(abstand(i)); });
        OrdneStabil(folge, [&](std::uint32_t i) { return std::uint32_t(abstand(i) >> 32); });
        return;
    }
    OrdneStabil(folge, [&](std::uint32_t i) { return std::uint32_t(abstand(i)); });
}

} // namespace tarvis
