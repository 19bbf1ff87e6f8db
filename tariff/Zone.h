#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <ostream>

namespace tarvis {

// Zones are numbered 1..4 in the order City, Region 50, Region 200, Fern; every per-zone
// value and control is indexed by that number.
constexpr int ZonenAnzahl = 4;
constexpr std::array<int, ZonenAnzahl> AlleZonen{1, 2, 3, 4};

constexpr bool IstZone(int zone) {
    return zone >= 1 && zone <= ZonenAnzahl;
}

// A fixed array indexed by zone number 1..4, so callers never write [zone - 1].
template <class T> class ZonenArray {
public:
    constexpr ZonenArray() = default;
    constexpr explicit ZonenArray(const T& alle) { werte_.fill(alle); }
    constexpr ZonenArray(T z1, T z2, T z3, T z4) : werte_{z1, z2, z3, z4} {}

    constexpr T& operator[](int zone) {
        assert(IstZone(zone));
        return werte_[static_cast<std::size_t>(zone - 1)];
    }
    constexpr const T& operator[](int zone) const {
        assert(IstZone(zone));
        return werte_[static_cast<std::size_t>(zone - 1)];
    }

    constexpr void fill(const T& wert) { werte_.fill(wert); }
    constexpr bool operator==(const ZonenArray&) const = default;

private:
    std::array<T, ZonenAnzahl> werte_{};
};

// How a test that fails shows a per-zone value: "{Zone 1: 2, Zone 2: 5, Zone 3: 10, Zone 4: 11}"
// (GoogleTest finds it by its name) rather than the bytes of the array.
template <class T>
requires requires(std::ostream& strom, const T& wert) {
    strom << wert;
}
void PrintTo(const ZonenArray<T>& werte, std::ostream* strom) {
    *strom << '{';
    for (int zone : AlleZonen) {
        *strom << (zone > 1 ? ", " : "") << "Zone " << zone << ": " << werte[zone];
    }
    *strom << '}';
}

} // namespace tarvis
