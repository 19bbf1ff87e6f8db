#include "tariff/Duration.h"

#include "tariff/Format.h"

namespace tarvis {

GenaueZeit Long2GenaueZeit(std::int64_t millisekunden) {
    std::int64_t rest = millisekunden < 0 ? 0 : millisekunden;
    GenaueZeit zeit;
    zeit.Stunden = rest / 3'600'000;
    rest -= zeit.Stunden * 3'600'000;
    zeit.Minuten = static_cast<int>(rest / 60'000);
    rest -= std::int64_t{zeit.Minuten} * 60'000;
    zeit.Sekunden = static_cast<int>(rest / 1000);
    rest -= std::int64_t{zeit.Sekunden} * 1000;
    zeit.Millisekunden = static_cast<int>(rest);
    return zeit;
}

std::string DauerText(const GenaueZeit& zeit) {
    const std::int64_t sekunden = zeit.Stunden * 3600 + zeit.Minuten * 60 + zeit.Sekunden;
    return ZeitText(sekunden) + ',' + static_cast<char>('0' + zeit.Millisekunden / 100);
}

} // namespace tarvis
