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

bool JournalDaten::Dazu(const Gespraech& satz, std::uint16_t datei) {
    const std::size_t texteVorher = texte_.size();
    const auto telefon = Text(satz.telefon);
    const auto kommentar =
        satz.kommentar.empty() || !telefon ? std::optional<std::uint32_t>(0) : Text(satz.kommentar);
    if (!telefon || !kommentar || saetze_.size() >= std::numeric_limits<std::uint32_t>::max()) {
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
    neu.hatKommentar = !satz.kommentar.empty();
    neu.datei = datei;
    neu.zone = static_cast<std::uint8_t>(satz.zone);
    saetze_.push_back(neu);
    return true;
}

void JournalDaten::Kuerzen(std::size_t anzahl) {
    if (anzahl >= saetze_.size()) {
        return;
    }
    const JournalSatz& erster = saetze_[anzahl];
    texte_.resize(erster.telefon);
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
