#pragma once

#include <cstdint>

namespace tarvis {

// When the next connection attempt is made: 1 s after the first failure, then twice as long
// each time up to 60 s, for ever; a connection that was made starts again at 1 s.
class Wiederverbindung {
public:
    static constexpr std::int64_t ErsteWartezeitMs = 1000;
    static constexpr std::int64_t LaengsteWartezeitMs = 60000;

    // The wait before the next attempt, and the one after it doubled.
    std::int64_t NaechsteWartezeitMs() {
        const std::int64_t jetzt = wartezeit_;
        wartezeit_ = wartezeit_ * 2 > LaengsteWartezeitMs ? LaengsteWartezeitMs : wartezeit_ * 2;
        return jetzt;
    }
    void Verbunden() { wartezeit_ = ErsteWartezeitMs; }

private:
    std::int64_t wartezeit_ = ErsteWartezeitMs;
};

} // namespace tarvis
