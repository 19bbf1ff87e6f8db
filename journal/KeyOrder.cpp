#include "journal/KeyOrder.h"

#include <array>

namespace tarvis {

void OrdneNachOberenBits(std::vector<std::uint64_t>& eintraege) {
    constexpr int ErstesByte = 4;
    constexpr int Bytes = 4;
    std::array<std::array<std::size_t, 256>, Bytes> anzahl{};
    for (const std::uint64_t e : eintraege) {
        for (int b = 0; b < Bytes; ++b) {
            ++anzahl[b][(e >> (8 * (ErstesByte + b))) & 0xff];
        }
    }
    std::vector<std::uint64_t> ablage;
    for (int b = 0; b < Bytes; ++b) {
        auto& je = anzahl[b];
        // A byte all keys share changes no place.
        const std::uint64_t erster = eintraege.empty() ? 0 : eintraege.front();
        if (je[(erster >> (8 * (ErstesByte + b))) & 0xff] == eintraege.size()) {
            continue;
        }
        std::size_t stelle = 0;
        for (std::size_t& n : je) {
            const std::size_t diese = n;
            n = stelle;
            stelle += diese;
        }
        ablage.resize(eintraege.size());
        for (const std::uint64_t e : eintraege) {
            ablage[je[(e >> (8 * (ErstesByte + b))) & 0xff]++] = e;
        }
        eintraege.swap(ablage);
    }
}

} // namespace tarvis
