#include "journal/KeyOrder.h"

#include <array>
#include <bit>
#include <utility>

namespace tarvis {

namespace {

// Below this many entries a range is put in order by insertion: a radix pass over it would
// count more buckets than it has entries.
constexpr std::size_t Wenige = 32;

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

// The range in order from byte `byte` (7 the most significant) down; the bytes above are
// those all its entries share.
void OrdneAbByte(std::span<std::uint64_t> eintraege, int byte) {
    for (;;) {
        if (eintraege.size() <= Wenige) {
            FuegeEin(eintraege);
            return;
        }
        const int schiebe = 8 * byte;
        auto ziffer = [schiebe](std::uint64_t e) { return std::size_t(e >> schiebe) & 0xff; };
        std::array<std::uint32_t, 256> anzahl{};
        for (const std::uint64_t e : eintraege) {
            ++anzahl[ziffer(e)];
        }
        if (anzahl[ziffer(eintraege.front())] == eintraege.size()) {
            // A byte all entries share changes no place.
            if (byte == 0) {
                return;
            }
            --byte;
            continue;
        }
        std::array<std::uint32_t, 256> naechste{};
        std::array<std::uint32_t, 256> ende{};
        std::uint32_t stelle = 0;
        for (std::size_t z = 0; z < 256; ++z) {
            naechste[z] = stelle;
            stelle += anzahl[z];
            ende[z] = stelle;
        }
        // Each entry swapped straight into the next free place of its bucket: every bucket
        // filled in turn, every entry moved at most once.
        for (std::size_t z = 0; z < 256; ++z) {
            while (naechste[z] < ende[z]) {
                std::uint64_t e = eintraege[naechste[z]];
                for (std::size_t d = ziffer(e); d != z; d = ziffer(e)) {
                    std::swap(e, eintraege[naechste[d]++]);
                }
                eintraege[naechste[z]++] = e;
            }
        }
        if (byte == 0) {
            return;
        }
        std::size_t anfang = 0;
        for (const std::uint32_t n : anzahl) {
            if (n > 1) {
                OrdneAbByte(eintraege.subspan(anfang, n), byte - 1);
            }
            anfang += n;
        }
        return;
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
    OrdneAbByte(eintraege, (63 - std::countl_zero(verschieden)) / 8);
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
