#include "journal/JournalColumns.h"

#include "platform/QtText.h"
#include "tariff/Duration.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <QCollator>
#include <algorithm>
#include <limits>
#include <numeric>
#include <unordered_map>

namespace tarvis {

namespace {

std::string Uhrzeit(std::int32_t sekunde) {
    if (sekunde == JournalSatz::Unbekannt) {
        return {};
    }
    return ZeitText(sekunde);
}

std::string StopText(const JournalSatz& satz) {
    const std::string zeit = Uhrzeit(satz.stopSekunde);
    const std::optional<Datum> stop = satz.StopDatum();
    if (!stop || satz.stopTag == satz.startTag) {
        return zeit;
    }
    return zeit.empty() ? DatumText(*stop) : DatumText(*stop) + ' ' + zeit;
}

// The end of a call as seconds since 1970: a call that ends past midnight ends after every
// call of its start day. A stop without its own date ended on the day the call started.
std::int64_t StopMoment(const JournalSatz& satz) {
    if (satz.stopSekunde == JournalSatz::Unbekannt) {
        return std::numeric_limits<std::int64_t>::min();
    }
    const std::int32_t tag = satz.stopTag == JournalSatz::KeinTag ? satz.startTag : satz.stopTag;
    return std::int64_t{tag} * 86'400 + satz.stopSekunde;
}

} // namespace

std::int64_t Zahlenwert(const JournalSatz& satz, Spalte spalte) {
    switch (spalte) {
    case Spalte::Datum:
        // The start second is -1 when unknown: such a call comes first on its day.
        return std::int64_t{satz.startTag} * 86'400 + satz.startSekunde;
    case Spalte::Start:
        return satz.startSekunde;
    case Spalte::Stop:
        return StopMoment(satz);
    case Spalte::Dauer:
        return satz.dauerMs;
    case Spalte::Zone:
        return satz.zone;
    case Spalte::Einheiten:
        return satz.einheiten;
    case Spalte::Kosten:
        return satz.kostenPfennig;
    case Spalte::Telefon:
    case Spalte::Kommentar:
        break;
    }
    return 0;
}

std::string ZellenText(const JournalDaten& daten, const JournalSatz& satz, Spalte spalte,
                       std::string_view trenner) {
    switch (spalte) {
    case Spalte::Datum:
        return DatumText(satz.StartDatum());
    case Spalte::Start:
        return Uhrzeit(satz.startSekunde);
    case Spalte::Stop:
        return StopText(satz);
    case Spalte::Dauer:
        return satz.dauerMs == JournalSatz::Unbekannt ? std::string() : DauerText(satz.dauerMs);
    case Spalte::Telefon:
        return std::string(daten.Telefon(satz));
    case Spalte::Zone:
        return std::string(ZonenName[satz.zone]);
    case Spalte::Einheiten:
        return std::to_string(satz.einheiten);
    case Spalte::Kosten:
        return BetragText(satz.kostenPfennig, trenner);
    case Spalte::Kommentar:
        return std::string(daten.Kommentar(satz));
    }
    return {};
}

QString ZellenAnzeige(const JournalDaten& daten, const JournalSatz& satz, Spalte spalte,
                      const QLocale& locale) {
    const std::string text = ZellenText(daten, satz, spalte, FesterTrenner);
    if (spalte == Spalte::Einheiten || spalte == Spalte::Kosten) {
        return ZahlText(text, locale);
    }
    return AlsQString(text);
}

namespace {

// The calls of (value, call) pairs in the order of the values; equal values in file order.
std::vector<std::uint32_t> NachWert(std::vector<std::pair<std::int64_t, std::uint32_t>> werte,
                                    bool absteigend) {
    std::sort(werte.begin(), werte.end(), [absteigend](const auto& a, const auto& b) {
        if (a.first != b.first) {
            return absteigend ? b.first < a.first : a.first < b.first;
        }
        return a.second < b.second;
    });
    std::vector<std::uint32_t> folge(werte.size());
    for (std::size_t i = 0; i < werte.size(); ++i) {
        folge[i] = werte[i].second;
    }
    return folge;
}

} // namespace

std::vector<std::uint32_t> InDateiFolge(const JournalDaten& daten) {
    std::vector<std::uint32_t> folge(daten.Anzahl());
    std::iota(folge.begin(), folge.end(), 0u);
    return folge;
}

namespace {

QCollator DeutscheOrdnung() {
    QCollator ordnung{QLocale(QLocale::German, QLocale::Germany)};
    // "oma" beside "OMA" and "Öl" beside "Ol", as a German index has them.
    ordnung.setCaseSensitivity(Qt::CaseInsensitive);
    ordnung.setNumericMode(false);
    ordnung.setIgnorePunctuation(false);
    return ordnung;
}

} // namespace

std::vector<std::uint32_t> Sortiert(const JournalDaten& daten, Spalte spalte, bool absteigend) {
    std::vector<std::uint32_t> folge = InDateiFolge(daten);
    if (spalte == Spalte::Telefon || spalte == Spalte::Kommentar) {
        auto text = [&](std::uint32_t i) {
            return spalte == Spalte::Telefon ? daten.Telefon(daten[i]) : daten.Kommentar(daten[i]);
        };
        // Each distinct text gets its rank once; the calls are then sorted by rank, which
        // spares the collator a million comparisons of the same few hundred numbers.
        std::unordered_map<std::string_view, std::uint32_t> rangVon;
        std::vector<std::string_view> texte;
        for (const std::uint32_t i : folge) {
            if (rangVon.emplace(text(i), 0).second) {
                texte.push_back(text(i));
            }
        }
        const QCollator ordnung = DeutscheOrdnung();
        std::vector<QCollatorSortKey> schluessel;
        schluessel.reserve(texte.size());
        for (const std::string_view t : texte) {
            schluessel.push_back(ordnung.sortKey(AlsQString(t)));
        }
        std::vector<std::uint32_t> nachText(texte.size());
        std::iota(nachText.begin(), nachText.end(), 0u);
        std::stable_sort(nachText.begin(), nachText.end(), [&](std::uint32_t a, std::uint32_t b) {
            return schluessel[a].compare(schluessel[b]) < 0;
        });
        // Texts the collator calls equal share a rank, so their calls stay in file order.
        std::uint32_t rang = 0;
        for (std::size_t n = 0; n < nachText.size(); ++n) {
            if (n > 0 && schluessel[nachText[n - 1]].compare(schluessel[nachText[n]]) != 0) {
                ++rang;
            }
            rangVon[texte[nachText[n]]] = rang;
        }
        std::vector<std::pair<std::int64_t, std::uint32_t>> werte(daten.Anzahl());
        for (std::uint32_t i = 0; i < werte.size(); ++i) {
            werte[i] = {rangVon[text(i)], i};
        }
        return NachWert(std::move(werte), absteigend);
    }
    // The values side by side with their calls: sorting them touches no call twice.
    std::vector<std::pair<std::int64_t, std::uint32_t>> werte(daten.Anzahl());
    for (std::uint32_t i = 0; i < werte.size(); ++i) {
        werte[i] = {Zahlenwert(daten[i], spalte), i};
    }
    return NachWert(std::move(werte), absteigend);
}

} // namespace tarvis
