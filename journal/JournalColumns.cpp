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
#include <span>
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

// A number's key in three 32-bit words, the most significant first: its digits 1-8, 9-16 and
// 17-24, four bits each as ZiffernSchluessel has them.
std::uint32_t ZiffernWort(std::string_view nummer, int wort) {
    const ZiffernSchluessel schluessel = ZiffernSchluesselVon(nummer);
    switch (wort) {
    case 0:
        return std::uint32_t(schluessel.vorn >> 32);
    case 1:
        return std::uint32_t(schluessel.vorn);
    default:
        return std::uint32_t(schluessel.hinten >> 32);
    }
}
constexpr int ZiffernWorte = 3;

// Puts entries of a place in their lower half in the order of the numbers at those places: by
// the first word of their keys, then each group of equal words by the next, and only places of
// 24 equal leading digits compared as texts. The upper halves hold each round's word, made
// when it is needed: no key of every place is kept, and a group needs no further round when
// its numbers differ early.
class NummernOrdnung {
public:
    NummernOrdnung(const std::function<std::string_view(std::uint32_t)>& nummer, bool absteigend)
        : nummer_(nummer), absteigend_(absteigend) {}

    void Ordne(std::span<std::uint64_t> eintraege, int wort) const {
        for (std::uint64_t& e : eintraege) {
            const std::uint32_t schluessel = ZiffernWort(nummer_(std::uint32_t(e)), wort);
            e = std::uint64_t{absteigend_ ? ~schluessel : schluessel} << 32 | std::uint32_t(e);
        }
        // Equal words keep the order of their places: the lower halves break the ties.
        OrdneEintraege(eintraege);
        for (std::size_t anfang = 0; anfang < eintraege.size();) {
            const std::uint64_t oben = eintraege[anfang] >> 32;
            std::size_t ende = anfang + 1;
            while (ende < eintraege.size() && eintraege[ende] >> 32 == oben) {
                ++ende;
            }
            if (ende - anfang > 1) {
                const auto gruppe = eintraege.subspan(anfang, ende - anfang);
                if (wort + 1 < ZiffernWorte) {
                    Ordne(gruppe, wort + 1);
                } else {
                    NachText(gruppe);
                }
            }
            anfang = ende;
        }
    }

private:
    // Places whose numbers agree in their first 24 digits: by the rest of the digits, then as
    // written. Most such groups are calls of one number written alike, already in order.
    void NachText(std::span<std::uint64_t> gruppe) const {
        const std::string_view erster = nummer_(std::uint32_t(gruppe.front()));
        if (std::all_of(gruppe.begin() + 1, gruppe.end(),
                        [&](std::uint64_t e) { return nummer_(std::uint32_t(e)) == erster; })) {
            return;
        }
        std::sort(gruppe.begin(), gruppe.end(), [&](std::uint64_t a, std::uint64_t b) {
            const std::string_view ta = nummer_(std::uint32_t(a)), tb = nummer_(std::uint32_t(b));
            int wert = ta == tb ? 0 : VergleicheZiffern(ta, tb);
            wert = wert != 0 ? wert : ta.compare(tb);
            if (wert == 0) {
                return std::uint32_t(a) < std::uint32_t(b);
            }
            return absteigend_ ? wert > 0 : wert < 0;
        });
    }

    const std::function<std::string_view(std::uint32_t)>& nummer_;
    bool absteigend_;
};

} // namespace

std::vector<std::uint32_t> NachNummern(std::size_t anzahl,
                                       const std::function<std::string_view(std::uint32_t)>& nummer,
                                       bool absteigend) {
    std::vector<std::uint64_t> eintraege(anzahl);
    for (std::size_t i = 0; i < anzahl; ++i) {
        eintraege[i] = i;
    }
    NummernOrdnung(nummer, absteigend).Ordne(eintraege, 0);
    std::vector<std::uint32_t> folge(anzahl);
    for (std::size_t i = 0; i < anzahl; ++i) {
        folge[i] = std::uint32_t(eintraege[i]);
    }
    return folge;
}

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
        return NachNummern(
            daten.Anzahl(), [&](std::uint32_t i) { return daten.Telefon(daten[i]); }, absteigend);
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
