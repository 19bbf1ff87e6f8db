#include "journal/JournalData.h"

#include <limits>

namespace tarvis {

namespace {

std::int32_t TagNummer(Datum datum) {
    return static_cast<std::int32_t>(std::chrono::sys_days{datum}.time_since_epoch().count());
}

Datum DatumAusTag(std::int32_t tag) {
    return Datum{std::chrono::sys_days{std::chrono::days{tag}}};
}

} // namespace

Datum JournalSatz::StartDatum() const {
    return DatumAusTag(startTag);
}

std::optional<Datum> JournalSatz::StopDatum() const {
    if (stopTag == KeinTag) {
        return std::nullopt;
    }
    return DatumAusTag(stopTag);
}

std::pair<int, int> JournalSatz::Monat() const {
    const Datum datum = StartDatum();
    return {int(datum.year()), int(unsigned(datum.month()))};
}

std::optional<std::uint32_t> JournalDaten::Text(std::string_view text) {
    constexpr std::size_t Grenze = std::numeric_limits<std::uint32_t>::max();
    if (text.size() > std::numeric_limits<std::uint16_t>::max() ||
        texte_.size() + text.size() > Grenze) {
        return std::nullopt;
    }
    const auto beginn = static_cast<std::uint32_t>(texte_.size());
    texte_.append(text);
    return beginn;
}

std::optional<JournalDaten::GepackterSatz> JournalDaten::Gepackt(const JournalSatz& satz) {
    auto in32 = [](std::int64_t wert) {
        return wert >= std::numeric_limits<std::int32_t>::min() &&
               wert <= std::numeric_limits<std::int32_t>::max();
    };
    auto sekunde = [](std::int32_t s) -> std::optional<std::uint32_t> {
        if (s < -1 || s >= std::int32_t(GepackterSatz::Sekunden)) {
            return std::nullopt;
        }
        return std::uint32_t(s + 1);
    };
    const std::optional<std::uint32_t> start = sekunde(satz.startSekunde);
    const std::optional<std::uint32_t> stop = sekunde(satz.stopSekunde);
    const std::int64_t abstand =
        satz.stopTag == JournalSatz::KeinTag
            ? 0
            : std::int64_t{satz.stopTag} - satz.startTag + GepackterSatz::TagAbstand;
    if (!in32(satz.einheiten) || !in32(satz.kostenPfennig) || !in32(satz.dauerMs) || !start ||
        !stop || satz.zone > 7 || (satz.stopTag != JournalSatz::KeinTag && abstand <= 0) ||
        abstand >= 2 * GepackterSatz::TagAbstand ||
        satz.kommentar != satz.telefon + satz.telefonLaenge) {
        return std::nullopt;
    }
    GepackterSatz gepackt{};
    gepackt.einheiten = std::int32_t(satz.einheiten);
    gepackt.kostenPfennig = std::int32_t(satz.kostenPfennig);
    gepackt.dauerMs = std::int32_t(satz.dauerMs);
    gepackt.startTag = satz.startTag;
    gepackt.telefon = satz.telefon;
    gepackt.telefonLaenge = satz.telefonLaenge;
    gepackt.kommentarLaenge = satz.kommentarLaenge;
    gepackt.start = *start | std::uint32_t{satz.zone} << GepackterSatz::ZoneBit;
    gepackt.stop = *stop | std::uint32_t(abstand) << GepackterSatz::ZoneBit;
    return gepackt;
}

bool JournalDaten::Dazu(const Gespraech& satz) {
    const std::size_t texteVorher = texte_.size();
    const auto telefon = Text(satz.telefon);
    // The comment right after the number: a call keeps only where its number starts.
    const auto kommentar = !telefon ? std::nullopt : Text(satz.kommentar);
    if (!telefon || !kommentar || saetze_.size() >= std::numeric_limits<std::uint32_t>::max() ||
        ganze_.size() >= std::size_t(std::numeric_limits<std::int32_t>::max())) {
        texte_.resize(texteVorher);
        return false;
    }
    JournalSatz neu;
    neu.einheiten = satz.einheiten;
    neu.kostenPfennig = satz.kostenPfennig;
    neu.dauerMs = satz.dauerMs.value_or(JournalSatz::Unbekannt);
    neu.startTag = TagNummer(satz.startDatum);
    neu.startSekunde = satz.startSekunde.value_or(JournalSatz::Unbekannt);
    neu.stopTag = satz.stopDatum ? TagNummer(*satz.stopDatum) : JournalSatz::KeinTag;
    neu.stopSekunde = satz.stopSekunde.value_or(JournalSatz::Unbekannt);
    neu.telefon = *telefon;
    neu.telefonLaenge = static_cast<std::uint16_t>(satz.telefon.size());
    neu.kommentar = *kommentar;
    neu.kommentarLaenge = static_cast<std::uint16_t>(satz.kommentar.size());
    neu.zone = static_cast<std::uint8_t>(satz.zone);
    if (const std::optional<GepackterSatz> gepackt = Gepackt(neu)) {
        saetze_.push_back(*gepackt);
        return true;
    }
    GepackterSatz verweis{};
    verweis.einheiten = std::int32_t(ganze_.size());
    verweis.telefon = neu.telefon;
    verweis.start = GepackterSatz::Ganz;
    saetze_.push_back(verweis);
    ganze_.push_back(neu);
    return true;
}

void JournalDaten::Kuerzen(std::size_t anzahl) {
    if (anzahl >= saetze_.size()) {
        return;
    }
    texte_.resize(saetze_[anzahl].telefon);
    for (std::size_t i = anzahl; i < saetze_.size(); ++i) {
        if ((saetze_[i].start & GepackterSatz::Ganz) != 0) {
            ganze_.resize(std::uint32_t(saetze_[i].einheiten));
            break;
        }
    }
    saetze_.resize(anzahl);
}

Gespraech JournalDaten::FuerSumme(const JournalSatz& satz) const {
    Gespraech summe;
    summe.startDatum = satz.StartDatum();
    summe.zone = satz.zone;
    summe.einheiten = satz.einheiten;
    summe.kostenPfennig = satz.kostenPfennig;
    return summe;
}

} // namespace tarvis
