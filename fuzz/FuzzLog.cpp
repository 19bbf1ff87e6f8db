// Reading a call log of any content: a report or a list of unreadable lines, never a crash,
// and sums that only ever grow.
#include "calllog/LogSums.h"

#include <QBuffer>
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

using namespace tarvis;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    QByteArray inhalt(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    QBuffer puffer(&inhalt);
    puffer.open(QIODevice::ReadOnly);
    const LogAuswertung auswertung = WerteLogAus(puffer);
    std::int64_t anrufe = 0;
    for (int zone : AlleZonen) {
        const LogSumme& summe = auswertung.summen.ProZone()[zone];
        if (summe.gespraeche < 0 || summe.einheiten < 0 || summe.kostenPfennig < 0) {
            std::abort();
        }
        anrufe += summe.gespraeche;
    }
    std::int64_t monatsAnrufe = 0;
    for (const auto& [monat, zonen] : auswertung.summen.Monate()) {
        for (int zone : AlleZonen) {
            monatsAnrufe += zonen[zone].gespraeche;
        }
    }
    if (anrufe != monatsAnrufe) {
        std::abort();
    }
    return 0;
}
