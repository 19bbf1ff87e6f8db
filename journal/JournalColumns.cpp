#include "journal/JournalColumns.h"

#include "journal/KeyOrder.h"
#include "platform/QtText.h"
#include "tariff/Duration.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <QCollator>
#include <algorithm>
#include <bit>
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
    OrdneStabilNachWert(
        folge, [&](std::uint32_t i) { return std::int64_t{rangVon[textNummer[i]]}; }, absteigend);
    return folge;
}

// Puts entries of a place in their lower bits in the order of the numbers at those places: by
// as many of their first digits as fit above the places, four bits each (the digit plus one,
// so that a shorter number comes before the longer ones it begins), then each group of equal
// digits by the next as many, and only places of equal digits compared as texts. A million
// places leave 44 bits, 11 digits: most numbers are in order after one round. No key of every
// place is kept; each round's are made from the texts when they are needed.
class NummernOrdnung {
public:
    NummernOrdnung(const std::function<std::string_view(std::uint32_t)>& nummer, std::size_t anzahl,
                   bool absteigend)
        : nummer_(nummer), absteigend_(absteigend),
          stellenBits_(std::max(1, int(std::bit_width(anzahl - 1)))),
          ziffern_((64 - stellenBits_) / 4) {}

    std::uint32_t Stelle(std::uint64_t eintrag) const {
        return std::uint32_t(eintrag & ((std::uint64_t{1} << stellenBits_) - 1));
    }

    // The entries' lower bits are places; the numbers there agree in their first `ab` digits.
    void Ordne(std::span<std::uint64_t> eintraege, std::size_t ab) const {
        const std::uint64_t stellen = (std::uint64_t{1} << stellenBits_) - 1;
        const std::uint64_t alle = ~std::uint64_t{0} >> stellenBits_;
        for (std::uint64_t& e : eintraege) {
            const std::uint64_t schluessel = Ziffern(nummer_(std::uint32_t(e & stellen)), ab);
            e = (absteigend_ ? alle & ~schluessel : schluessel) << stellenBits_ | (e & stellen);
        }
        // Equal digits keep the order of their places: the lower bits break the ties.
        OrdneEintraege(eintraege);
        for (std::size_t anfang = 0; anfang < eintraege.size();) {
            const std::uint64_t oben = eintraege[anfang] >> stellenBits_;
            std::size_t ende = anfang + 1;
            while (ende < eintraege.size() && eintraege[ende] >> stellenBits_ == oben) {
                ++ende;
            }
            if (ende - anfang > 1) {
                const auto gruppe = eintraege.subspan(anfang, ende - anfang);
                // A number that ends within these digits has no more: nor have the others. Past
                // the 32nd digit the texts are compared whole, so that a made-up number of
                // thousands of digits is not read again for every round.
                const bool weiter = ((absteigend_ ? alle & ~oben : oben) & 0xf) != 0;
                if (weiter && ab + ziffern_ < 32) {
                    Ordne(gruppe, ab + ziffern_);
                } else {
                    NachText(gruppe, stellen);
                }
            }
            anfang = ende;
        }
    }

private:
    // The digits ab.. of a number, as many as a round takes, the first the most significant.
    std::uint64_t Ziffern(std::string_view nummer, std::size_t ab) const {
        std::uint64_t schluessel = 0;
        std::size_t stelle = 0;
        for (const char c : nummer) {
            if (c < '0' || c > '9') {
                continue;
            }
            if (stelle >= ab) {
                schluessel = schluessel << 4 | std::uint64_t(c - '0' + 1);
                if (stelle + 1 == ab + ziffern_) {
                    return schluessel;
                }
            }
            ++stelle;
        }
        return stelle > ab ? schluessel << 4 * (ab + ziffern_ - stelle) : 0;
    }

    // Places of numbers of equal leading digits: by the rest of their digits, then as written.
    // Most such groups are calls of one number written alike, already in order.
    void NachText(std::span<std::uint64_t> gruppe, std::uint64_t stellen) const {
        auto text = [&](std::uint64_t e) { return nummer_(std::uint32_t(e & stellen)); };
        const std::string_view erster = text(gruppe.front());
        if (std::all_of(gruppe.begin() + 1, gruppe.end(),
                        [&](std::uint64_t e) { return text(e) == erster; })) {
            return;
        }
        std::sort(gruppe.begin(), gruppe.end(), [&](std::uint64_t a, std::uint64_t b) {
            const std::string_view ta = text(a), tb = text(b);
            int wert = ta == tb ? 0 : VergleicheZiffern(ta, tb);
            wert = wert != 0 ? wert : ta.compare(tb);
            if (wert == 0) {
                return (a & stellen) < (b & stellen);
            }
            return absteigend_ ? wert > 0 : wert < 0;
        });
    }

    const std::function<std::string_view(std::uint32_t)>& nummer_;
    bool absteigend_;
    int stellenBits_;
    std::size_t ziffern_;
};

} // namespace

void OrdneNachNummern(std::span<std::uint64_t> eintraege,
                      const std::function<std::string_view(std::uint32_t)>& nummer,
                      bool absteigend) {
    for (std::size_t i = 0; i < eintraege.size(); ++i) {
        eintraege[i] = i;
    }
    if (eintraege.size() < 2) {
        return;
    }
    const NummernOrdnung ordnung(nummer, eintraege.size(), absteigend);
    ordnung.Ordne(eintraege, 0);
    for (std::uint64_t& e : eintraege) {
        e = ordnung.Stelle(e);
    }
}

std::vector<std::uint32_t> NachNummern(std::size_t anzahl,
                                       const std::function<std::string_view(std::uint32_t)>& nummer,
                                       bool absteigend) {
    std::vector<std::uint64_t> eintraege(anzahl);
    OrdneNachNummern(eintraege, nummer, absteigend);
    return std::vector<std::uint32_t>(eintraege.begin(), eintraege.end());
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
