// The journal on a log of any content: every line read by its fixed columns as word by word,
// the calls sorted by every column in both directions, filtered by every month and zone and a
// text taken from the input, summed and written as CSV, never a crash; each order holds every
// call once and in the order of its values, the sums of a filter are those of the calls it
// lets through, and the CSV has one row per call.
#include "calllog/LogLine.h"
#include "journal/JournalColumns.h"
#include "journal/JournalCsv.h"
#include "journal/JournalFilter.h"
#include "journal/JournalModel.h"
#include "journal/JournalRead.h"
#include "journal/JournalSums.h"
#include "platform/QtText.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace tarvis;

namespace {

void Pruefe(bool bedingung) {
    if (!bedingung) {
        std::abort();
    }
}

void PruefeOrdnung(const JournalDaten& daten, Spalte spalte, bool absteigend) {
    const std::vector<std::uint32_t> folge = Sortiert(daten, spalte, absteigend);
    Pruefe(folge.size() == daten.Anzahl());
    std::vector<bool> gesehen(daten.Anzahl(), false);
    for (const std::uint32_t i : folge) {
        Pruefe(i < daten.Anzahl() && !gesehen[i]);
        gesehen[i] = true;
    }
    for (std::size_t k = 1; k < folge.size(); ++k) {
        const JournalSatz& vorher = daten[folge[k - 1]];
        const JournalSatz& nachher = daten[folge[k]];
        if (spalte != Spalte::Telefon && spalte != Spalte::Kommentar) {
            const std::int64_t a = Zahlenwert(vorher, spalte), b = Zahlenwert(nachher, spalte);
            Pruefe(absteigend ? a >= b : a <= b);
            if (a == b) {
                Pruefe(folge[k - 1] < folge[k]); // equal values keep the order of the lines
            }
        } else if (spalte == Spalte::Telefon) {
            // Numbers by their digits, numbers of the same digits as written, equal ones in the
            // order of the lines.
            const std::string_view ta = daten.Telefon(vorher), tb = daten.Telefon(nachher);
            int vergleich = VergleicheZiffern(ta, tb);
            if (vergleich == 0) {
                vergleich = ta.compare(tb);
            }
            Pruefe(absteigend ? vergleich >= 0 : vergleich <= 0);
            if (vergleich == 0) {
                Pruefe(folge[k - 1] < folge[k]);
            }
        }
    }
}

// Rows of a CSV text: line ends outside quotes.
std::size_t CsvZeilen(const std::string& csv) {
    std::size_t zeilen = 0;
    bool zitiert = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        if (csv[i] == '"') {
            zitiert = !zitiert;
        } else if (!zitiert && csv[i] == '\r') {
            Pruefe(i + 1 < csv.size() && csv[i + 1] == '\n');
            ++zeilen;
        }
    }
    Pruefe(!zitiert);
    return zeilen;
}

// A line read by its fixed columns reads as word by word.
void PruefeZeile(std::string_view zeile) {
    const GeleseneLogZeile a = LiesLogZeile(zeile), b = LiesLogZeileWortweise(zeile);
    Pruefe(a.art == b.art && a.grund == b.grund && a.kommentar == b.kommentar);
    const Gespraech &x = a.gespraech, &y = b.gespraech;
    Pruefe(x.startDatum == y.startDatum && x.startSekunde == y.startSekunde &&
           x.stopDatum == y.stopDatum && x.stopSekunde == y.stopSekunde && x.dauerMs == y.dauerMs &&
           x.telefon == y.telefon && x.zone == y.zone && x.einheiten == y.einheiten &&
           x.kostenPfennig == y.kostenPfennig);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    QByteArray inhalt(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    for (const QByteArray& zeile : inhalt.split('\n')) {
        PruefeZeile(std::string_view(zeile.constData(), std::size_t(zeile.size())));
    }
    QBuffer puffer(&inhalt);
    puffer.open(QIODevice::ReadOnly);
    JournalSammler sammler;
    Pruefe(sammler.Lies(puffer, QStringLiteral("fuzz.Rep")));
    Journal journal = std::move(sammler).Ergebnis();
    const JournalDaten& saetze = journal.daten;

    for (int spalte = 0; spalte < SpaltenAnzahl; ++spalte) {
        PruefeOrdnung(saetze, static_cast<Spalte>(spalte), false);
        PruefeOrdnung(saetze, static_cast<Spalte>(spalte), true);
    }

    JournalModell modell;
    modell.SetzeDaten(journal.daten);
    modell.sort(int(Spalte::Kosten), Qt::DescendingOrder);
    // A search text from the input itself: its last bytes, whatever they are.
    const std::string suche(inhalt.right(3).constData(), std::size_t(inhalt.right(3).size()));
    std::vector<std::pair<int, int>> monate = MonateIn(saetze);
    monate.emplace_back(0, 0); // no month
    for (const auto& monat : monate) {
        for (int zone = 0; zone <= ZonenAnzahl; ++zone) {
            JournalFilter filter;
            if (monat.first != 0) {
                filter.monat = monat;
            }
            filter.zone = zone;
            filter.suche = zone == 0 ? suche : std::string();
            modell.SetzeFilter(filter);
            Pruefe(modell.rowCount() == int(modell.Zeilen().size()));
            std::int64_t anrufe = 0;
            for (const std::uint32_t i : modell.Zeilen()) {
                Pruefe((zone == 0 || saetze[i].zone == zone) &&
                       (monat.first == 0 || saetze[i].Monat() == monat));
                ++anrufe;
            }
            const LogSummen summen = SummenVon(saetze, modell.Zeilen());
            if (const auto gesamt = summen.Gesamt(); gesamt && !summen.ZuGross()) {
                Pruefe(gesamt->gespraeche == anrufe);
            }
            for (int zeile = 0; zeile < std::min(modell.rowCount(), 20); ++zeile) {
                for (int spalte = 0; spalte < SpaltenAnzahl; ++spalte) {
                    modell.index(zeile, spalte).data();
                }
            }
        }
    }

    std::string csv;
    Pruefe(SchreibeCsv(saetze, InDateiFolge(saetze), [&](std::string_view stueck) {
        csv.append(stueck);
        return true;
    }));
    Pruefe(CsvZeilen(csv) == saetze.Anzahl() + 1);
    return 0;
}
