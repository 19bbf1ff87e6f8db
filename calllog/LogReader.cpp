#include "calllog/LogReader.h"

#include "tariff/Parse.h"
#include "tariff/TariffTables.h"

#include <QIODevice>
#include <array>
#include <cctype>

namespace tarvis {

namespace {

// Longer than any line the writer produces by far; a longer line is no record.
constexpr qint64 MaxZeilenLaenge = 4096;
// Digits a units or cost field may have; more would not be a real call and could overflow sums.
constexpr std::size_t MaxZiffern = 12;

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

bool BeginntMitDatum(std::string_view zeile) {
    return zeile.size() >= 8 && IstZiffer(zeile[0]) && IstZiffer(zeile[1]) && zeile[2] == '.' &&
           IstZiffer(zeile[3]) && IstZiffer(zeile[4]) && zeile[5] == '.' && IstZiffer(zeile[6]) &&
           IstZiffer(zeile[7]);
}

// "dd.mm.yy", the year read as everywhere in the program (tariff/Parse.h).
std::optional<Datum> LiesDatum(std::string_view zeile) {
    return DatumAusText(zeile.substr(0, 8));
}

std::string_view OhneLeerzeichenRechts(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// Takes the last blank-separated word off the text.
std::string_view LetztesWort(std::string_view& text) {
    text = OhneLeerzeichenRechts(text);
    const std::size_t blank = text.find_last_of(' ');
    const std::size_t beginn = blank == std::string_view::npos ? 0 : blank + 1;
    const std::string_view wort = text.substr(beginn);
    text = text.substr(0, beginn);
    return wort;
}

std::optional<std::int64_t> LiesGanzzahl(std::string_view text) {
    return LiesZiffern(text, 1, MaxZiffern);
}

// "0,24" (or "0.24", as written under other number settings) in Pfennig.
std::optional<std::int64_t> LiesBetrag(std::string_view text) {
    if (text.size() < 4 || (text[text.size() - 3] != ',' && text[text.size() - 3] != '.')) {
        return std::nullopt;
    }
    const auto mark = LiesGanzzahl(text.substr(0, text.size() - 3));
    const auto pfennig = LiesGanzzahl(text.substr(text.size() - 2));
    if (!mark || !pfennig) {
        return std::nullopt;
    }
    return *mark * 100 + *pfennig;
}

int ZoneAmEnde(std::string_view text) {
    text = OhneLeerzeichenRechts(text);
    // The longer names first, so that no name is taken for the end of another.
    for (int zone : {3, 2, 1, 4}) {
        const std::string_view name = ZonenName[zone];
        if (text.size() >= name.size() && text.substr(text.size() - name.size()) == name) {
            return zone;
        }
    }
    return 0;
}

GelesenesZeile Unlesbar(std::string grund) {
    GelesenesZeile ergebnis;
    ergebnis.art = ZeilenArt::Unlesbar;
    ergebnis.grund = std::move(grund);
    return ergebnis;
}

} // namespace

GelesenesZeile LiesLogZeile(std::string_view zeile) {
    if (!BeginntMitDatum(zeile)) {
        return {};
    }
    const auto datum = LiesDatum(zeile);
    if (!datum) {
        return Unlesbar("kein gültiges Datum");
    }
    std::string_view rest = OhneLeerzeichenRechts(zeile);
    if (LetztesWort(rest) != "DM") {
        return Unlesbar("\"DM\" fehlt am Zeilenende");
    }
    const auto kosten = LiesBetrag(LetztesWort(rest));
    if (!kosten) {
        return Unlesbar("Gebühren nicht lesbar");
    }
    const auto einheiten = LiesGanzzahl(LetztesWort(rest));
    if (!einheiten) {
        return Unlesbar("Einheiten nicht lesbar");
    }
    const int zone = ZoneAmEnde(rest);
    if (zone == 0) {
        return Unlesbar("Tarifbereich nicht lesbar");
    }
    GelesenesZeile ergebnis;
    ergebnis.art = ZeilenArt::Datensatz;
    ergebnis.datensatz = {*datum, zone, *einheiten, *kosten};
    return ergebnis;
}

bool LogSumme::Dazu(const LogSumme& summe) {
    LogSumme neu;
    if (__builtin_add_overflow(anrufe, summe.anrufe, &neu.anrufe) ||
        __builtin_add_overflow(einheiten, summe.einheiten, &neu.einheiten) ||
        __builtin_add_overflow(kostenPfennig, summe.kostenPfennig, &neu.kostenPfennig)) {
        return false;
    }
    *this = neu;
    return true;
}

bool LogSumme::Dazu(const LogDatensatz& satz) {
    return Dazu(LogSumme{1, satz.einheiten, satz.kostenPfennig});
}

LogAuswertung WerteLogAus(QIODevice& datei) {
    LogAuswertung auswertung;
    std::int64_t nummer = 0;
    std::array<char, MaxZeilenLaenge + 2> puffer{};
    while (!datei.atEnd()) {
        const qint64 gelesen = datei.readLine(puffer.data(), qint64(puffer.size()));
        if (gelesen < 0) {
            break;
        }
        std::string_view zeile(puffer.data(), std::size_t(gelesen));
        const bool ganzeZeile = !zeile.empty() && zeile.back() == '\n';
        ++nummer;
        if (!ganzeZeile && !datei.atEnd()) {
            // Far longer than a record: pass over the rest of it.
            char c = 0;
            while (datei.getChar(&c) && c != '\n') {
            }
            if (BeginntMitDatum(zeile)) {
                auswertung.fehler.push_back({nummer, "Zeile zu lang"});
            }
            continue;
        }
        while (!zeile.empty() && (zeile.back() == '\n' || zeile.back() == '\r')) {
            zeile.remove_suffix(1);
        }
        const GelesenesZeile gelesenZeile = LiesLogZeile(zeile);
        if (gelesenZeile.art == ZeilenArt::Unlesbar) {
            auswertung.fehler.push_back({nummer, gelesenZeile.grund});
        } else if (gelesenZeile.art == ZeilenArt::Datensatz) {
            const LogDatensatz& satz = gelesenZeile.datensatz;
            const std::pair<int, int> monat{int(satz.startDatum.year()),
                                            int(unsigned(satz.startDatum.month()))};
            LogSumme& imMonat = auswertung.monate[monat][satz.zone];
            LogSumme& insgesamt = auswertung.gesamt[satz.zone];
            LogSumme gesamtNeu = insgesamt;
            if (!gesamtNeu.Dazu(satz) || !imMonat.Dazu(satz)) {
                auswertung.zuGross = true;
                break;
            }
            insgesamt = gesamtNeu;
        }
    }
    return auswertung;
}

} // namespace tarvis
