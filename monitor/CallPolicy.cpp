#include "monitor/CallPolicy.h"

#include "calculation/IntervalCost.h"
#include "callmonitor/NumberZone.h"

namespace tarvis {

SchreibErgebnis DateiLog::Speichere(const Gespraech& gespraech) {
    // Asked once when the log is locked, and told not to wait: the call is queued instead.
    SpeicherArt art;
    art.nochmalVersuchen = [] { return false; };
    return AppendCallRecord(pfad_(gespraech), gespraech, art);
}

std::vector<AnrufErgebnis> AnrufRegel::Gemeldet(const AnrufMeldung& meldung) {
    FensterZaehlwerk* fenster = u_.fenster;
    if (meldung.art == AnrufMeldung::Art::Begonnen) {
        if (fenster == nullptr || fenster->Belegt()) {
            beiseite_.insert(meldung.id);
            return {};
        }
        fenster->Starte();
        automatischeId_ = meldung.id;
        fensterTelefon_ = QString::fromStdString(meldung.nummer);
        return {};
    }
    const bool fensterAnruf = fenster != nullptr && meldung.id == automatischeId_;
    if (fensterAnruf && meldung.art == AnrufMeldung::Art::Offen) {
        // Its end will not come: the window goes on counting until the user presses STOP.
        automatischeId_.clear();
        return {};
    }
    if (fensterAnruf && fenster->Laeuft()) {
        automatischeId_.clear();
        AnrufErgebnis ergebnis;
        ergebnis.meldung = meldung;
        ergebnis.daten = fenster->Stoppe();
        ergebnis.telefon = fensterTelefon_;
        ergebnis.fensterAnruf = fenster->AnrufNummer();
        Verwende(ergebnis);
        return {std::move(ergebnis)};
    }
    if (beiseite_.erase(meldung.id) == 0) {
        return {};
    }
    AnrufErgebnis ergebnis = Beiseite(meldung);
    Verwende(ergebnis);
    return {std::move(ergebnis)};
}

std::vector<AnrufErgebnis> AnrufRegel::Uebernommen(const std::vector<AnrufMeldung>& anrufe) {
    std::vector<AnrufErgebnis> ergebnisse;
    for (const AnrufMeldung& anruf : anrufe) {
        if (anruf.art != AnrufMeldung::Art::Offen) {
            beiseite_.insert(anruf.id);
            continue;
        }
        AnrufErgebnis ergebnis = Beiseite(anruf);
        Verwende(ergebnis);
        ergebnisse.push_back(std::move(ergebnis));
    }
    return ergebnisse;
}

AnrufErgebnis AnrufRegel::Beiseite(const AnrufMeldung& meldung) {
    const IntervallKosten kosten =
        BerechneIntervall(meldung.beginn, meldung.dauerSekunden, kalender_);
    AnrufErgebnis ergebnis;
    ergebnis.meldung = meldung;
    ergebnis.daten =
        GespraechMit(meldung.beginn, kosten.stop, meldung.dauerSekunden * 1000, kosten.einheiten);
    ergebnis.telefon = QString::fromStdString(meldung.nummer);
    return ergebnis;
}

// What the setting asks for after a call. A call whose end never came is not saved by itself:
// its length is only what was measured until it was given up.
void AnrufRegel::Verwende(AnrufErgebnis& ergebnis) {
    ergebnis.zone = ZoneVon(ergebnis.telefon);
    using V = AnrufErgebnis::Verbleib;
    if (u_.nach == NachDemGespraech::Nichts) {
        ergebnis.verbleib = V::Nichts;
        return;
    }
    if (ergebnis.meldung.art == AnrufMeldung::Art::Offen) {
        ergebnis.verbleib = u_.fenster != nullptr ? V::Fragen : V::Nichts;
        return;
    }
    if (u_.nach == NachDemGespraech::Fragen || !ergebnis.zone) {
        ergebnis.verbleib = V::Fragen;
        return;
    }
    if (!Speichere(ergebnis)) {
        // The window asks after a failure other than the lock, so that the dialog says why and
        // another log can be chosen; the service has no one to ask and keeps trying.
        const bool warten = u_.fenster == nullptr || ergebnis.grund == GesperrtGrund();
        ergebnis.verbleib = warten ? V::Wartet : V::Fragen;
        if (warten) {
            warteschlange_.push_back(ergebnis);
        }
    }
}

bool AnrufRegel::Speichere(AnrufErgebnis& ergebnis) {
    const SchreibErgebnis geschrieben =
        u_.log->Speichere(ergebnis.daten.MitZone(*ergebnis.zone, ergebnis.telefon));
    if (!geschrieben) {
        ergebnis.grund = geschrieben.grund;
        return false;
    }
    ergebnis.verbleib = AnrufErgebnis::Verbleib::Gespeichert;
    ergebnis.grund.clear();
    if (u_.merke) {
        u_.merke(ergebnis.telefon, *ergebnis.zone);
    }
    return true;
}

// In the order the calls ended, so that the log keeps their order; the first that still fails
// holds back the rest.
std::vector<AnrufErgebnis> AnrufRegel::Wiederhole() {
    std::vector<AnrufErgebnis> gelandet;
    while (!warteschlange_.empty() && Speichere(warteschlange_.front())) {
        gelandet.push_back(std::move(warteschlange_.front()));
        warteschlange_.pop_front();
    }
    return gelandet;
}

void AnrufRegel::VonHand() {
    automatischeId_.clear();
    if (u_.fenster != nullptr && !u_.fenster->Laeuft()) {
        fensterTelefon_.clear();
    }
}

void AnrufRegel::Neu(NachDemGespraech nach, std::string eigeneVorwahl) {
    u_.nach = nach;
    u_.eigeneVorwahl = std::move(eigeneVorwahl);
    automatischeId_.clear();
    beiseite_.clear();
}

std::optional<int> AnrufRegel::ZoneVon(const QString& telefon) const {
    return ZoneDerNummer(telefon.toStdString(), u_.eigeneVorwahl, u_.gemerkt);
}

} // namespace tarvis
