#include "journal/JournalView.h"

#include "platform/QtCalendar.h"
#include "tariff/Format.h"
#include "tariff/GenaueZeit.h"
#include "tariff/TariffTables.h"

#include <algorithm>
#include <numeric>

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

// A column whose values are whole numbers: its value of a call.
std::int64_t Zahlenwert(const JournalSatz& satz, Spalte spalte) {
    switch (spalte) {
    case Spalte::Datum:
        // The start second is -1 when unknown: such a call comes first on its day.
        return std::int64_t{satz.startTag} * 86'400 + satz.startSekunde;
    case Spalte::Start:
        return satz.startSekunde;
    case Spalte::Stop:
        return satz.stopSekunde;
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

} // namespace

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

std::vector<std::uint32_t> InDateiFolge(const JournalDaten& daten) {
    std::vector<std::uint32_t> folge(daten.Anzahl());
    std::iota(folge.begin(), folge.end(), 0u);
    return folge;
}

std::vector<std::uint32_t> Sortiert(const JournalDaten& daten, Spalte spalte, bool absteigend) {
    std::vector<std::uint32_t> folge = InDateiFolge(daten);
    if (spalte == Spalte::Telefon || spalte == Spalte::Kommentar) {
        auto text = [&](std::uint32_t i) {
            return spalte == Spalte::Telefon ? daten.Telefon(daten[i]) : daten.Kommentar(daten[i]);
        };
        std::stable_sort(folge.begin(), folge.end(), [&](std::uint32_t a, std::uint32_t b) {
            return absteigend ? text(b) < text(a) : text(a) < text(b);
        });
        return folge;
    }
    // The values side by side with their calls: sorting them touches no call twice.
    std::vector<std::pair<std::int64_t, std::uint32_t>> werte(daten.Anzahl());
    for (std::uint32_t i = 0; i < werte.size(); ++i) {
        werte[i] = {Zahlenwert(daten[i], spalte), i};
    }
    std::sort(werte.begin(), werte.end(), [absteigend](const auto& a, const auto& b) {
        if (a.first != b.first) {
            return absteigend ? b.first < a.first : a.first < b.first;
        }
        return a.second < b.second;
    });
    for (std::size_t i = 0; i < werte.size(); ++i) {
        folge[i] = werte[i].second;
    }
    return folge;
}

std::vector<std::uint32_t> Gefiltert(const JournalDaten& daten,
                                     const std::vector<std::uint32_t>& folge,
                                     const JournalFilter& filter) {
    const std::string suche = SuchForm(filter.suche);
    auto passt = [&](const JournalSatz& satz) {
        if (filter.zone != 0 && satz.zone != filter.zone) {
            return false;
        }
        if (filter.monat && satz.Monat() != *filter.monat) {
            return false;
        }
        return suche.empty() || Enthaelt(daten.Telefon(satz), suche) ||
               Enthaelt(daten.Kommentar(satz), suche);
    };
    std::vector<std::uint32_t> zeilen;
    zeilen.reserve(folge.size());
    for (const std::uint32_t i : folge) {
        if (passt(daten[i])) {
            zeilen.push_back(i);
        }
    }
    return zeilen;
}

std::vector<std::pair<int, int>> MonateIn(const JournalDaten& daten) {
    std::vector<std::pair<int, int>> monate;
    for (const JournalSatz& satz : daten.Saetze()) {
        // Calls come month by month, so the last month seen is mostly the one of the next.
        const auto monat = satz.Monat();
        if (monate.empty() || monate.back() != monat) {
            monate.push_back(monat);
        }
    }
    std::sort(monate.begin(), monate.end());
    monate.erase(std::unique(monate.begin(), monate.end()), monate.end());
    return monate;
}

QString MonatsText(std::pair<int, int> monat) {
    return QStringLiteral("%1/%2").arg(monat.second, 2, 10, QLatin1Char('0')).arg(monat.first);
}

LogSummen SummenVon(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen) {
    LogSummen summen;
    for (const std::uint32_t i : zeilen) {
        summen.Dazu(daten.FuerSumme(daten[i]));
    }
    return summen;
}

std::optional<std::vector<SummenZeile>> SummenZeilen(const LogSummen& summen) {
    const std::optional<LogSumme> gesamt = summen.Gesamt();
    if (summen.ZuGross() || !gesamt) {
        return std::nullopt;
    }
    std::vector<SummenZeile> zeilen;
    for (const auto& [monat, zonen] : summen.Monate()) {
        for (int zone : AlleZonen) {
            if (zonen[zone].anrufe > 0) {
                zeilen.push_back({monat, zone, zonen[zone]});
            }
        }
    }
    zeilen.push_back({std::nullopt, 0, *gesamt});
    return zeilen;
}

SummenTexte TexteVon(const LogSumme& summe, const QLocale& locale) {
    return {ZahlText(std::to_string(summe.anrufe), locale),
            ZahlText(std::to_string(summe.einheiten), locale),
            ZahlText(BetragText(summe.kostenPfennig, FesterTrenner), locale)};
}

} // namespace tarvis
