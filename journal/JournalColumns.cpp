#include "journal/JournalColumns.h"

#include "journal/KeyOrder.h"
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

std::vector<std::uint32_t> InDateiFolge(const JournalDaten& daten) {
    std::vector<std::uint32_t> folge(daten.Anzahl());
    std::iota(folge.begin(), folge.end(), 0u);
    return folge;
}

std::vector<std::uint32_t> InDateiFolge(const JournalDaten& daten,
                                        const std::vector<std::uint32_t>& zeilen) {
    if (zeilen.size() == daten.Anzahl()) {
        return InDateiFolge(daten); // every call
    }
    std::vector<bool> dabei(daten.Anzahl());
    for (const std::uint32_t i : zeilen) {
        dabei[i] = true;
    }
    std::vector<std::uint32_t> folge;
    folge.reserve(zeilen.size());
    for (std::uint32_t i = 0; i < dabei.size(); ++i) {
        if (dabei[i]) {
            folge.push_back(i);
        }
    }
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

namespace {

// The calls by a text's rank, where the ranks come from the German collation: each distinct
// text gets its key once, which spares the collator a million comparisons of the same few
// hundred comments.
std::vector<std::uint32_t> NachKommentar(const JournalDaten& daten, bool absteigend) {
    std::unordered_map<std::string_view, std::uint32_t> nummerVon;
    std::vector<std::string_view> texte;
    std::vector<std::uint32_t> textNummer(daten.Anzahl());
    for (std::uint32_t i = 0; i < textNummer.size(); ++i) {
        const auto [stelle, neu] =
            nummerVon.emplace(daten.Kommentar(daten[i]), std::uint32_t(texte.size()));
        if (neu) {
            texte.push_back(stelle->first);
        }
        textNummer[i] = stelle->second;
    }
    nummerVon = {};
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
    std::vector<std::uint32_t> rangVon(texte.size());
    std::uint32_t rang = 0;
    for (std::size_t n = 0; n < nachText.size(); ++n) {
        if (n > 0 && schluessel[nachText[n - 1]].compare(schluessel[nachText[n]]) != 0) {
            ++rang;
        }
        rangVon[nachText[n]] = rang;
    }
    std::vector<std::uint32_t> folge = InDateiFolge(daten);
    OrdneStabil(folge, [&](std::uint32_t i) {
        const std::uint32_t r = rangVon[textNummer[i]];
        return absteigend ? ~r : r;
    });
    return folge;
}

// The calls by the digits of their numbers, then by the numbers as written: the first 24 digits
// sort the calls as integers, and only calls of equal leading digits are compared as texts.
std::vector<std::uint32_t> NachNummer(const JournalDaten& daten, bool absteigend) {
    auto text = [&](std::uint32_t i) { return daten.Telefon(daten[i]); };
    // The keys made once, in the order of the calls: the rounds then read 12 bytes a call
    // instead of its text.
    std::vector<std::uint64_t> vornVon(daten.Anzahl());
    std::vector<std::uint32_t> hintenVon(daten.Anzahl());
    for (std::uint32_t i = 0; i < vornVon.size(); ++i) {
        const ZiffernSchluessel z = ZiffernSchluesselVon(text(i));
        vornVon[i] = z.vorn;
        hintenVon[i] = std::uint32_t(z.hinten >> 32);
    }
    auto richtung = [absteigend](std::uint32_t schluessel) {
        return absteigend ? ~schluessel : schluessel;
    };
    std::vector<std::uint32_t> folge = InDateiFolge(daten);
    // The least significant part first: each later round keeps the order of the earlier ones
    // among its equal keys.
    OrdneStabil(folge, [&](std::uint32_t i) { return richtung(hintenVon[i]); });
    OrdneStabil(folge, [&](std::uint32_t i) { return richtung(std::uint32_t(vornVon[i])); });
    OrdneStabil(folge, [&](std::uint32_t i) { return richtung(std::uint32_t(vornVon[i] >> 32)); });
    // <0, 0, >0 as two numbers of equal leading digits compare.
    auto vergleiche = [&](std::uint32_t a, std::uint32_t b) {
        const std::string_view ta = text(a), tb = text(b);
        if (ta == tb) {
            return 0;
        }
        const int wert = VergleicheZiffern(ta, tb);
        return wert != 0 ? wert : ta.compare(tb);
    };
    auto vorn = [&](std::uint32_t i) { return std::pair(vornVon[i], hintenVon[i]); };
    for (std::size_t anfang = 0; anfang < folge.size();) {
        const auto schluessel = vorn(folge[anfang]);
        std::size_t ende = anfang + 1;
        bool gleich = true;
        while (ende < folge.size() && vorn(folge[ende]) == schluessel) {
            gleich = gleich && text(folge[anfang]) == text(folge[ende]);
            ++ende;
        }
        if (!gleich) {
            std::stable_sort(folge.begin() + std::ptrdiff_t(anfang),
                             folge.begin() + std::ptrdiff_t(ende),
                             [&](std::uint32_t a, std::uint32_t b) {
                                 const int wert = vergleiche(a, b);
                                 return absteigend ? wert > 0 : wert < 0;
                             });
        }
        anfang = ende;
    }
    return folge;
}

} // namespace

ZiffernSchluessel ZiffernSchluesselVon(std::string_view nummer) {
    ZiffernSchluessel schluessel;
    int stellen = 0;
    for (const char c : nummer) {
        if (c < '0' || c > '9' || stellen == 32) {
            continue;
        }
        std::uint64_t& wort = stellen < 16 ? schluessel.vorn : schluessel.hinten;
        wort |= std::uint64_t(c - '0' + 1) << (60 - 4 * (stellen % 16));
        ++stellen;
    }
    return schluessel;
}

int VergleicheZiffern(std::string_view a, std::string_view b) {
    auto ziffer = [](std::string_view t, std::size_t& i) -> int {
        while (i < t.size() && (t[i] < '0' || t[i] > '9')) {
            ++i;
        }
        return i < t.size() ? t[i++] : -1;
    };
    std::size_t ia = 0, ib = 0;
    for (;;) {
        const int za = ziffer(a, ia), zb = ziffer(b, ib);
        if (za != zb) {
            return za < zb ? -1 : 1;
        }
        if (za < 0) {
            return 0;
        }
    }
}

std::vector<std::uint32_t> Sortiert(const JournalDaten& daten, Spalte spalte, bool absteigend) {
    if (spalte == Spalte::Telefon) {
        return NachNummer(daten, absteigend);
    }
    if (spalte == Spalte::Kommentar) {
        return NachKommentar(daten, absteigend);
    }
    std::vector<std::uint32_t> folge = InDateiFolge(daten);
    OrdneStabilNachWert(
        folge, [&](std::uint32_t i) { return Zahlenwert(daten[i], spalte); }, absteigend);
    return folge;
}

} // namespace tarvis
