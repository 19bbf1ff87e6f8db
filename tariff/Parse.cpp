#include "tariff/Parse.h"

#include <array>

namespace tarvis {

namespace {

// The two ASCII digits at `stelle` as a number, or -1 when either is no digit.
int ZweiZiffern(std::string_view text, std::size_t stelle) {
    const unsigned zehner = static_cast<unsigned char>(text[stelle]) - unsigned{'0'};
    const unsigned einer = static_cast<unsigned char>(text[stelle + 1]) - unsigned{'0'};
    return zehner <= 9 && einer <= 9 ? static_cast<int>(zehner * 10 + einer) : -1;
}

// "nn?nn?nn" with `trenner` for "?", the log's own form of dates, times and durations, which a
// reader meets millions of times: its three numbers into `zahlen`, or false for any other text,
// which then goes the general way (giving the same for this form). The numbers come back
// through an array, not an optional: this is called for every field of every line.
bool FesteForm(std::string_view text, char trenner, std::array<int, 3>& zahlen) {
    if (text.size() != 8 || text[2] != trenner || text[5] != trenner) {
        return false;
    }
    zahlen = {ZweiZiffern(text, 0), ZweiZiffern(text, 3), ZweiZiffern(text, 6)};
    return zahlen[0] >= 0 && zahlen[1] >= 0 && zahlen[2] >= 0;
}

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
    if (std::array<int, 3> fest{}; FesteForm(text, '.', fest)) {
        const Datum datum{std::chrono::year{VollesJahr(fest[2])},
                          std::chrono::month{static_cast<unsigned>(fest[1])},
                          std::chrono::day{static_cast<unsigned>(fest[0])}};
        return datum.ok() ? std::optional<Datum>(datum) : std::nullopt;
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
    if (std::array<int, 3> fest{}; FesteForm(text, ':', fest)) {
        if (fest[0] > 23 || fest[1] > 59 || fest[2] > 59) {
            return std::nullopt;
        }
        return (fest[0] * 60 + fest[1]) * 60 + fest[2];
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
    const unsigned zehntelZiffer =
        text.size() == 10 ? static_cast<unsigned char>(text[9]) - unsigned{'0'} : 10;
    if (std::array<int, 3> fest{};
        zehntelZiffer <= 9 && text[8] == ',' && FesteForm(text.substr(0, 8), ':', fest)) {
        if (fest[1] > 59 || fest[2] > 59) {
            return std::nullopt;
        }
        return std::int64_t{(fest[0] * 60 + fest[1]) * 60 + fest[2]} * 1000 + zehntelZiffer * 100;
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
