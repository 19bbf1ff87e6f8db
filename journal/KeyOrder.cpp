#include "journal/KeyOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace tarvis {

namespace {

// Below this many entries a range is put in order by insertion, below the next by comparison:
// a radix pass over it would count more buckets than it has entries.
constexpr std::size_t Wenige = 32;
constexpr std::size_t Einige = 256;

void FuegeEin(std::span<std::uint64_t> eintraege) {
    for (std::size_t i = 1; i < eintraege.size(); ++i) {
        const std::uint64_t e = eintraege[i];
        std::size_t j = i;
        for (; j > 0 && eintraege[j - 1] > e; --j) {
            eintraege[j] = eintraege[j - 1];
        }
        eintraege[j] = e;
    }
}

// Ranges of this many entries and more take 11 bits a pass, fewer 8: a million entries of a
// 22-bit key are then in buckets of a few hundred after one pass.
constexpr std::size_t Viele = std::size_t{1} << 13;

void OrdneUnterBit(std::span<std::uint64_t> eintraege, int oben);

// One pass over the range by the `Breite` bits below bit `oben` (or as many as there are),
// then each bucket by the bits below those. False when every entry has the same digit there.
template <int Breite> bool Verteile(std::span<std::uint64_t> eintraege, int oben) {
    constexpr std::size_t Eimer = std::size_t{1} << Breite;
    const int breite = std::min(Breite, oben);
    const int schiebe = oben - breite;
    const std::uint64_t maske = (std::uint64_t{1} << breite) - 1;
    auto ziffer = [&](std::uint64_t e) { return std::size_t((e >> schiebe) & maske); };
    std::array<std::uint32_t, Eimer> anzahl{};
    for (const std::uint64_t e : eintraege) {
        ++anzahl[ziffer(e)];
    }
    if (anzahl[ziffer(eintraege.front())] == eintraege.size()) {
        return false; // a digit all entries share changes no place
    }
    std::array<std::uint32_t, Eimer> naechste{};
    std::array<std::uint32_t, Eimer> ende{};
    std::uint32_t stelle = 0;
    for (std::size_t z = 0; z < Eimer; ++z) {
        naechste[z] = stelle;
        stelle += anzahl[z];
        ende[z] = stelle;
    }
    // Each entry swapped straight into the next free place of its bucket: every bucket
    // filled in turn, every entry moved at most once.
    for (std::size_t z = 0; z < Eimer; ++z) {
        while (naechste[z] < ende[z]) {
            std::uint64_t e = eintraege[naechste[z]];
            for (std::size_t d = ziffer(e); d != z; d = ziffer(e)) {
                std::swap(e, eintraege[naechste[d]++]);
            }
            eintraege[naechste[z]++] = e;
        }
    }
    if (schiebe > 0) {
        std::size_t anfang = 0;
        for (const std::uint32_t n : anzahl) {
            if (n > 1) {
                OrdneUnterBit(eintraege.subspan(anfang, n), schiebe);
            }
            anfang += n;
        }
    }
    return true;
}

// The range in order by its bits below bit `oben`; the bits above are those all its entries
// share.
void OrdneUnterBit(std::span<std::uint64_t> eintraege, int oben) {
    while (oben > 0) {
        if (eintraege.size() <= Wenige) {
            FuegeEin(eintraege);
            return;
        }
        if (eintraege.size() <= Einige) {
            std::sort(eintraege.begin(), eintraege.end());
            return;
        }
        const int breite = eintraege.size() >= Viele ? 11 : 8;
        if (breite == 11 ? Verteile<11>(eintraege, oben) : Verteile<8>(eintraege, oben)) {
            return;
        }
        oben -= std::min(breite, oben);
    }
}

} // namespace

void OrdneEintraege(std::span<std::uint64_t> eintraege) {
    if (eintraege.size() < 2) {
        return;
    }
    // The bytes every entry shares are found in one pass, not one pass each: most keys are
    // small and their upper bytes all 0.
    std::uint64_t und = ~std::uint64_t{0}, oder = 0;
    for (const std::uint64_t e : eintraege) {
        und &= e;
        oder |= e;
    }
    const std::uint64_t verschieden = und ^ oder;
    if (verschieden == 0) {
        return;
    }
    OrdneUnterBit(eintraege, 64 - std::countl_zero(verschieden));
}

void FolgeNachEintraegen(std::vector<std::uint32_t>& folge, std::span<std::uint64_t> eintraege) {
    // Two passes in place of a copy of `folge`: each entry first takes the index it stands for.
    for (std::uint64_t& e : eintraege) {
        e = folge[std::uint32_t(e)];
    }
    for (std::size_t i = 0; i < folge.size(); ++i) {
        folge[i] = std::uint32_t(eintraege[i]);
    }
}

} // namespace tarvis
