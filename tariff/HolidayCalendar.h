#pragma once

#include "tariff/Moment.h"

#include <array>
#include <chrono>

namespace tarvis {

// Easter Sunday by Gauss's rule, with M and N taken from the century and both April
// corrections, so that every Gregorian year (1583 and later) gets its true Easter Sunday.
Datum OsterSonntag(int jahr);

// A working day Monday to Friday from 27 to 30 December.
bool IstJahresendWerktag(Datum datum);

// The nationwide holidays of one year, plus 24.12., 31.12. and the Saturday and Sunday among
// 27.-30.12. The list of the last year asked about is kept, so looking up dates of the same
// year only searches 15 entries.
class FeiertagKalender {
public:
    static constexpr int ListenLaenge = 15;

    void FeiertageBerechnen(int jahr);
    bool IstFeiertag(Datum datum);

    // The list in its fixed order (New Year first, year-end Sunday last) of the year built last.
    const std::array<Datum, ListenLaenge>& Liste() const { return liste_; }
    int Jahr() const { return jahr_; }
    // How often a list has been built so far.
    int Erstellungen() const { return erstellungen_; }

private:
    std::array<Datum, ListenLaenge> liste_{};
    int jahr_ = 0;
    bool gebaut_ = false;
    int erstellungen_ = 0;
};

} // namespace tarvis
