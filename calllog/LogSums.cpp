#include "calllog/LogSums.h"

namespace tarvis {

namespace {

// Sums the calls of a log as they are read and keeps its unreadable lines.
class Summierer final : public LogEmpfaenger {
public:
    Summierer(LogAuswertung& auswertung, const std::function<void(const LogFehler&)>& melde)
        : auswertung_(auswertung), melde_(melde) {}

    void Datensatz(const Gespraech& gespraech, std::int64_t) override {
        auswertung_.summen.Dazu(gespraech);
    }
    void Unlesbar(const LogFehler& fehler) override {
        ++auswertung_.fehlerAnzahl;
        if (auswertung_.fehler.size() < MaxGemerkteFehler) {
            auswertung_.fehler.push_back(fehler);
        }
        if (melde_) {
            melde_(fehler);
        }
    }

private:
    LogAuswertung& auswertung_;
    const std::function<void(const LogFehler&)>& melde_;
};

} // namespace

bool LogSumme::Dazu(const LogSumme& summe) {
    LogSumme neu;
    if (__builtin_add_overflow(gespraeche, summe.gespraeche, &neu.gespraeche) ||
        __builtin_add_overflow(einheiten, summe.einheiten, &neu.einheiten) ||
        __builtin_add_overflow(kostenPfennig, summe.kostenPfennig, &neu.kostenPfennig)) {
        return false;
    }
    *this = neu;
    return true;
}

bool LogSumme::Dazu(const Gespraech& satz) {
    return Dazu(LogSumme{1, satz.einheiten, satz.kostenPfennig});
}

bool LogSummen::Dazu(const Gespraech& satz) {
    return Dazu({int(satz.startDatum.year()), int(unsigned(satz.startDatum.month()))}, satz.zone,
                satz.einheiten, satz.kostenPfennig);
}

bool LogSummen::Dazu(std::pair<int, int> monat, int zone, std::int64_t einheiten,
                     std::int64_t kostenPfennig) {
    const LogSumme anruf{1, einheiten, kostenPfennig};
    if (letzter_.zonen == nullptr || letzter_.monat != monat) {
        letzter_.zonen = &monate_[monat];
        letzter_.monat = monat;
    }
    ZonenArray<LogSumme>& zonen = *letzter_.zonen;
    LogSumme imMonat = zonen[zone];
    LogSumme insgesamt = gesamt_[zone];
    if (!imMonat.Dazu(anruf) || !insgesamt.Dazu(anruf)) {
        zuGross_ = true;
        return false;
    }
    zonen[zone] = imMonat;
    gesamt_[zone] = insgesamt;
    return true;
}

std::optional<LogSumme> LogSummen::Gesamt() const {
    LogSumme summe;
    for (int zone : AlleZonen) {
        if (!summe.Dazu(gesamt_[zone])) {
            return std::nullopt;
        }
    }
    return summe;
}

void WerteLogAus(QIODevice& datei, LogAuswertung& auswertung,
                 const std::function<void(const LogFehler&)>& melde) {
    Summierer summierer(auswertung, melde);
    const LeseErgebnis lesen = LiesLog(datei, summierer);
    auswertung.lesen.bytes += lesen.bytes;
    auswertung.lesen.zeilen += lesen.zeilen;
    if (!lesen.gelesen) {
        auswertung.lesen.gelesen = false;
        auswertung.lesen.fehler = lesen.fehler;
    }
}

LogAuswertung WerteLogAus(QIODevice& datei, const std::function<void(const LogFehler&)>& melde) {
    LogAuswertung auswertung;
    WerteLogAus(datei, auswertung, melde);
    return auswertung;
}

} // namespace tarvis
