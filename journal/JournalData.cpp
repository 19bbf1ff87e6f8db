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

namespace {

// Folds ASCII letters and the two-byte UTF-8 forms of Latin-1's capitals (À..Þ, without ×)
// to lower case; every other byte stays as it is. The log's texts come from code page 1252,
// so this covers all but a handful of its letters (Š, Œ, Ž, Ÿ).
void Falte(std::string_view text, std::string& ziel) {
    ziel.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 'A' && b <= 'Z') {
            ziel += static_cast<char>(b + 32);
        } else if (b == 0xC3 && i + 1 < text.size()) {
            const auto n = static_cast<unsigned char>(text[i + 1]);
            ziel += text[i];
            ziel += static_cast<char>(n >= 0x80 && n <= 0x9E && n != 0x97 ? n + 32 : n);
            ++i;
        } else {
            ziel += text[i];
        }
    }
}

} // namespace

std::string SuchForm(std::string_view utf8) {
    std::string form;
    Falte(utf8, form);
    return form;
}

bool Enthaelt(std::string_view text, std::string_view suchForm) {
    if (suchForm.empty()) {
        return true;
    }
    if (text.size() < suchForm.size()) {
        return false;
    }
    thread_local std::string gefaltet;
    Falte(text, gefaltet);
    return gefaltet.find(suchForm) != std::string::npos;
}

} // namespace tarvis
