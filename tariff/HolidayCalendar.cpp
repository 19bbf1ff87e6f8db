#include "tariff/HolidayCalendar.h"

namespace tarvis {

using namespace std::chrono;

namespace {

constexpr int ModPositiv(int wert, int teiler) {
    const int rest = wert % teiler;
    return rest < 0 ? rest + teiler : rest;
}

Datum PlusTage(Datum datum, int tage) {
    return Datum{sys_days{datum} + days{tage}};
}

} // namespace

// Gauss's Easter rule (C. F. Gauss, 1800, with his 1816 correction), as given for example in
// J. Meeus, "Astronomical Algorithms", ch. 8: the constants M and N depend on the century.
Datum OsterSonntag(int jahr) {
    // clang-format off
    const int k = jahr / 100;                            // century
    const int p = (13 + 8 * k) / 25;                     // lunar correction
    const int q = k / 4;                                 // solar correction
    const int M = ModPositiv(15 - p + k - q, 30);        // [0, 29]; 24 for 1900-2099
    const int N = ModPositiv(4 + k - q, 7);              // [0, 6];  5 for 1900-2099
    const int a = ModPositiv(jahr, 19);                  // [0, 18]
    const int b = ModPositiv(jahr, 4);                   // [0, 3]
    const int c = ModPositiv(jahr, 7);                   // [0, 6]
    const int d = ModPositiv(19 * a + M, 30);            // [0, 29]
    const int e = ModPositiv(2 * b + 4 * c + 6 * d + N, 7); // [0, 6]
    // clang-format on

    // Days after 22 March: [0, 35].
    int tage = d + e;
    if (d == 29 && e == 6) {
        tage = 28; // 26 April becomes 19 April
    } else if (d == 28 && e == 6 && ModPositiv(11 * M + 11, 30) < 19) {
        tage = 27; // 25 April becomes 18 April
    }
    return PlusTage(year{jahr} / March / 22, tage);
}

bool IstJahresendWerktag(Datum datum) {
    const unsigned tag = static_cast<unsigned>(datum.day());
    return datum.month() == December && tag >= 27 && tag <= 30 && WochentagNummer(datum) < 6;
}

void FeiertagKalender::FeiertageBerechnen(int jahr) {
    const year j{jahr};
    const Datum ostern = OsterSonntag(jahr);
    // clang-format off
    liste_ = {
        j / January / 1,      PlusTage(ostern, -2),  ostern,
        PlusTage(ostern, 1),  j / May / 1,           PlusTage(ostern, 39),
        PlusTage(ostern, 49), PlusTage(ostern, 50),  j / October / 3,
        j / December / 24,    j / December / 25,     j / December / 26,
        j / December / 31,    j / December / 31,     j / December / 31,
    };
    // clang-format on
    // The Saturday and the Sunday among 27-30 December; 31 December stands in for a missing one.
    for (unsigned tag = 27; tag <= 30; ++tag) {
        const Datum datum = j / December / day{tag};
        const int wochentag = WochentagNummer(datum);
        if (wochentag == 6) {
            liste_[13] = datum;
        } else if (wochentag == 7) {
            liste_[14] = datum;
        }
    }
    jahr_ = jahr;
    gebaut_ = true;
    ++erstellungen_;
}

bool FeiertagKalender::IstFeiertag(Datum datum) {
    const int jahr = static_cast<int>(datum.year());
    if (!gebaut_ || jahr != jahr_) {
        FeiertageBerechnen(jahr);
    }
    for (const Datum& feiertag : liste_) {
        if (feiertag.month() == datum.month() && feiertag.day() == datum.day()) {
            return true;
        }
    }
    return false;
}

} // namespace tarvis
