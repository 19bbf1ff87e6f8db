#include "callmonitor/CallTracker.h"

#include <algorithm>

namespace tarvis {

namespace {

std::int64_t LokaleSekunden(std::int64_t beginnMs, std::int64_t ms) {
    return std::max<std::int64_t>(0, (ms - beginnMs + 500) / 1000);
}

} // namespace

bool RouterDauerGlaubhaft(std::int64_t routerSekunden, std::int64_t lokaleSekunden) {
    const std::int64_t abstand = routerSekunden > lokaleSekunden ? routerSekunden - lokaleSekunden
                                                                 : lokaleSekunden - routerSekunden;
    // 2 s + 1 %, in hundredths so that no rounding lets a larger gap through.
    return abstand * 100 <= 200 + lokaleSekunden;
}

bool AnrufVerfolger::Lies(std::string_view bytes, Moment jetzt, std::int64_t ms,
                          std::vector<AnrufMeldung>& meldungen) {
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        const std::string_view stueck = bytes.substr(0, lf);
        if (puffer_.size() + stueck.size() > MaxZeile) {
            ++zaehler_.zuLange;
            puffer_.clear();
            puffer_.shrink_to_fit();
            return true;
        }
        if (lf == std::string_view::npos) {
            puffer_.append(stueck);
            return false;
        }
        if (puffer_.empty()) {
            Zeile(stueck, jetzt, ms, meldungen);
        } else {
            puffer_.append(stueck);
            Zeile(puffer_, jetzt, ms, meldungen);
            puffer_.clear();
        }
        bytes.remove_prefix(lf + 1);
    }
    return false;
}

void AnrufVerfolger::Zeile(std::string_view zeile, Moment jetzt, std::int64_t ms,
                           std::vector<AnrufMeldung>& meldungen) {
    ++zaehler_.zeilen;
    const GeleseneMonitorZeile gelesen = LiesMonitorZeile(zeile);
    if (!gelesen.ereignis) {
        ++(gelesen.fehler == ZeilenFehler::UnbekanntesWort ? zaehler_.unbekannteWoerter
                                                           : zaehler_.fehlerhafte);
        return;
    }
    const MonitorEreignis& ereignis = *gelesen.ereignis;
    if (ereignis.gekuerzt) {
        ++zaehler_.gekuerzte;
    }
    using E = MonitorEreignis::Art;
    if (ereignis.art == E::Anruf || ereignis.art == E::Klingeln) {
        Neu(ereignis, ereignis.art == E::Anruf, jetzt, ms, meldungen);
        return;
    }
    const auto gefunden = anrufe_.find(ereignis.id);
    if (gefunden == anrufe_.end()) {
        ++zaehler_.unpassende;
        return;
    }
    Anruf& anruf = gefunden->second;
    if (ereignis.art == E::Verbunden) {
        if (anruf.verbunden) {
            ++zaehler_.unpassende;
            return;
        }
        anruf.verbunden = true;
        anruf.beginn = jetzt;
        anruf.beginnMs = ms;
        if (anruf.abgehend) {
            if (anruf.nummer.empty()) {
                anruf.nummer = ereignis.nummer;
                anruf.nummerGekuerzt = ereignis.gekuerzt;
            }
            AnrufMeldung begonnen{
                AnrufMeldung::Art::Begonnen, gefunden->first, anruf.nummer, jetzt, ms, 0};
            begonnen.nummerGekuerzt = anruf.nummerGekuerzt;
            meldungen.push_back(std::move(begonnen));
        }
        return;
    }
    // DISCONNECT: the router's duration is the call's length; the local one stands in when
    // the router sent none that can be read, or one that cannot be right.
    if (anruf.abgehend && anruf.verbunden) {
        const std::int64_t lokal = LokaleSekunden(anruf.beginnMs, ms);
        AnrufMeldung ende = Ende(gefunden->first, anruf, lokal);
        if (ereignis.dauerSekunden >= 0 && RouterDauerGlaubhaft(ereignis.dauerSekunden, lokal)) {
            ende.dauerSekunden = ereignis.dauerSekunden;
        } else if (ereignis.dauerSekunden >= 0) {
            ende.routerSekunden = ereignis.dauerSekunden;
            ++zaehler_.lokaleDauern;
        }
        meldungen.push_back(std::move(ende));
    }
    anrufe_.erase(gefunden);
}

void AnrufVerfolger::Neu(const MonitorEreignis& ereignis, bool abgehend, Moment jetzt,
                         std::int64_t ms, std::vector<AnrufMeldung>& meldungen) {
    auto gefunden = anrufe_.find(ereignis.id);
    if (gefunden != anrufe_.end()) {
        // The router reuses an ID only after the call ended; a lost DISCONNECT must not leave
        // a call counting for ever. A handed-over call may have ended long before, while no
        // program listened: its end is not known, so it is given up rather than ended here.
        ++zaehler_.unpassende;
        const Anruf& alt = gefunden->second;
        if (alt.abgehend && alt.verbunden) {
            meldungen.push_back(alt.uebernommen
                                    ? Aufgegeben(gefunden->first, alt, ms)
                                    : Ende(gefunden->first, alt, LokaleSekunden(alt.beginnMs, ms)));
        }
        anrufe_.erase(gefunden);
    }
    if (anrufe_.size() >= MaxAnrufe) {
        const auto aeltester =
            std::min_element(anrufe_.begin(), anrufe_.end(), [](const auto& a, const auto& b) {
                return a.second.reihe < b.second.reihe;
            });
        ++zaehler_.verdraengte;
        if (aeltester->second.abgehend && aeltester->second.verbunden) {
            meldungen.push_back(Aufgegeben(aeltester->first, aeltester->second, ms));
        }
        anrufe_.erase(aeltester);
    }
    Anruf anruf;
    anruf.abgehend = abgehend;
    anruf.nummer = ereignis.nummer;
    anruf.nummerGekuerzt = ereignis.gekuerzt;
    anruf.beginn = jetzt;
    anruf.beginnMs = ms;
    anruf.reihe = ++reihe_;
    anrufe_.emplace(ereignis.id, std::move(anruf));
}

AnrufMeldung AnrufVerfolger::Ende(const std::string& id, const Anruf& anruf,
                                  std::int64_t sekunden) {
    AnrufMeldung ende{
        AnrufMeldung::Art::Beendet, id, anruf.nummer, anruf.beginn, anruf.beginnMs, sekunden};
    ende.nummerGekuerzt = anruf.nummerGekuerzt;
    return ende;
}

AnrufMeldung AnrufVerfolger::Aufgegeben(const std::string& id, const Anruf& anruf,
                                        std::int64_t ms) {
    AnrufMeldung offen = Ende(id, anruf, LokaleSekunden(anruf.beginnMs, ms));
    offen.art = AnrufMeldung::Art::Offen;
    return offen;
}

std::vector<AnrufMeldung> AnrufVerfolger::Offene(std::int64_t ms) const {
    std::vector<AnrufMeldung> offene;
    for (const auto& [id, anruf] : anrufe_) {
        if (anruf.abgehend && anruf.verbunden) {
            offene.push_back(Aufgegeben(id, anruf, ms));
        }
    }
    return offene;
}

void AnrufVerfolger::Uebernimm(AnrufMeldung& anruf, std::int64_t ms) {
    if (anruf.art != AnrufMeldung::Art::Begonnen) {
        return;
    }
    if (anrufe_.contains(anruf.id) || anrufe_.size() >= MaxAnrufe) {
        anruf.art = AnrufMeldung::Art::Offen;
        anruf.dauerSekunden = LokaleSekunden(anruf.beginnMs, ms);
        return;
    }
    Anruf neu;
    neu.abgehend = neu.verbunden = neu.uebernommen = true;
    neu.nummer = anruf.nummer;
    neu.nummerGekuerzt = anruf.nummerGekuerzt;
    neu.beginn = anruf.beginn;
    neu.beginnMs = anruf.beginnMs;
    neu.reihe = ++reihe_;
    anrufe_.emplace(anruf.id, std::move(neu));
}

void AnrufVerfolger::NeueVerbindung() {
    puffer_.clear();
    puffer_.shrink_to_fit();
}

void AnrufVerfolger::Zuruecksetzen() {
    puffer_.clear();
    puffer_.shrink_to_fit();
    anrufe_.clear();
}

} // namespace tarvis
