#include "tariff/Parse.h"

#include <array>

namespace tarvis {

namespace {

// Splits at `trenner` into exactly N pieces; nothing when there are more or fewer. Empty
// pieces are kept, so "1..1996" fails on its empty day.
template <std::size_t N>
std::optional<std::array<std::string_view, N>> Teile(std::string_view text, char trenner) {
    std::array<std::string_view, N> teile;
    // "dd.mm.yy" and "hh:mm:ss", the log's own forms and by far the most read, are cut at their
    // places without a search.
    if constexpr (N == 3) {
        if (text.size() == 8 && text[2] == trenner && text[5] == trenner && text[0] != trenner &&
            text[1] != trenner && text[3] != trenner && text[4] != trenner && text[6] != trenner &&
            text[7] != trenner) {
            return teile = {text.substr(0, 2), text.substr(3, 2), text.substr(6, 2)};
        }
    }
    std::size_t teil = 0;
    std::size_t beginn = 0;
    // A plain loop: the texts are a few characters long, too short for a library search to pay.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == trenner) {
            if (teil + 1 == N) {
                return std::nullopt;
            }
            teile[teil++] = text.substr(beginn, i - beginn);
            beginn = i + 1;
        }
    }
    if (teil + 1 != N) {
        return std::nullopt;
    }
    teile[teil] = text.substr(beginn);
    return teile;
}

std::optional<int> Jahr(std::string_view text) {
    if (text.size() != 2 && text.size() != 4) {
        return std::nullopt;
    }
    const auto jahr = LiesZiffern(text, text.size(), text.size());
    if (!jahr) {
        return std::nullopt;
    }
    const int voll =
        text.size() == 2 ? VollesJahr(static_cast<int>(*jahr)) : static_cast<int>(*jahr);
    if (voll == 0) {
        return std::nullopt;
    }
    return voll;
}

// "h:mm:ss" with the hours taking up to `stundenStellen` digits, as seconds.
std::optional<std::int64_t> StundenMinutenSekunden(std::string_view text,
                                                   std::size_t stundenStellen) {
    const auto teile = Teile<3>(text, ':');
    if (!teile) {
        return std::nullopt;
    }
    const auto stunden = LiesZiffern((*teile)[0], 1, stundenStellen);
    const auto minuten = LiesZiffern((*teile)[1], 1, 2);
    const auto sekunden = LiesZiffern((*teile)[2], 1, 2);
    if (!stunden || !minuten || !sekunden || *minuten > 59 || *sekunden > 59) {
        return std::nullopt;
    }
    return (*stunden * 60 + *minuten) * 60 + *sekunden;
}

} // namespace

std::optional<Datum> DatumAusText(std::string_view text) {
    if (Datum datum{}; DatumInFesterForm(text, datum)) {
        return datum;
    }
    const auto teile = Teile<3>(text, '.');
    if (!teile) {
        return std::nullopt;
    }
    const auto tag = LiesZiffern((*teile)[0], 1, 2);
    const auto monat = LiesZiffern((*teile)[1], 1, 2);
    const auto jahr = Jahr((*teile)[2]);
    if (!tag || !monat || !jahr) {
        return std::nullopt;
    }
    const Datum datum{std::chrono::year{*jahr}, std::chrono::month{static_cast<unsigned>(*monat)},
                      std::chrono::day{static_cast<unsigned>(*tag)}};
    if (!datum.ok()) {
        return std::nullopt;
    }
    return datum;
}

std::optional<int> UhrzeitAusText(std::string_view text) {
    if (int sekunde = 0; UhrzeitInFesterForm(text, sekunde)) {
        return sekunde;
    }
    // "h:mm:ss" first, the form of every time in the log; no text is both forms.
    std::optional<std::int64_t> sekunden = StundenMinutenSekunden(text, 2);
    if (const auto teile = sekunden ? std::nullopt : Teile<2>(text, ':')) {
        // "h:mm" is "h:mm:00".
        const auto stunden = LiesZiffern((*teile)[0], 1, 2);
        const auto minuten = LiesZiffern((*teile)[1], 1, 2);
        if (stunden && minuten && *minuten <= 59) {
            sekunden = (*stunden * 60 + *minuten) * 60;
        }
    }
    if (!sekunden || *sekunden >= 24 * 3600) {
        return std::nullopt;
    }
    return static_cast<int>(*sekunden);
}

std::optional<std::int64_t> DauerAusText(std::string_view text) {
    if (std::int64_t ms = 0; DauerInFesterForm(text, ms)) {
        return ms;
    }
    const std::size_t komma = text.find(',');
    std::int64_t zehntel = 0;
    if (komma != std::string_view::npos) {
        const auto ziffer = LiesZiffern(text.substr(komma + 1), 1, 1);
        if (!ziffer) {
            return std::nullopt;
        }
        zehntel = *ziffer;
        text = text.substr(0, komma);
    }
    const auto sekunden = StundenMinutenSekunden(text, 9);
    if (!sekunden || text.substr(0, text.find(':')).size() < 2) {
        return std::nullopt;
    }
    return *sekunden * 1000 + zehntel * 100;
}

} // namespace tarvis
