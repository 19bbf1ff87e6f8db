#include "journal/SortRun.h"

#include "platform/Memory.h"

#include <QtConcurrent/QtConcurrentRun>

namespace tarvis {

SortLauf::SortLauf(JournalModell& modell, std::function<void(bool)> laeuft, QObject* parent)
    : QObject(parent), modell_(modell), laeuft_(std::move(laeuft)) {
    lauf_ = new QFutureWatcher<SortErgebnis>(this);
    connect(lauf_, &QFutureWatcher<SortErgebnis>::finished, this, &SortLauf::Fertig);
    modell_.SetzeSortierer([this](SortAuftrag auftrag) { Neu(std::move(auftrag)); });
}

// The model may already be gone (both belong to the window): only the worker is waited for,
// which reads nothing but the calls it shares.
SortLauf::~SortLauf() {
    if (lauf_->isRunning()) {
        lauf_->waitForFinished();
    }
}

void SortLauf::Neu(SortAuftrag auftrag) {
    if (arbeitet_) {
        wartet_ = std::move(auftrag);
        return;
    }
    laeuft_(true);
    Starte(std::move(auftrag));
}

void SortLauf::Starte(SortAuftrag auftrag) {
    arbeitet_ = true;
    lauf_->setFuture(QtConcurrent::run([auftrag = std::move(auftrag)] {
        SortErgebnis ergebnis = Sortiere(auftrag);
        GibFreienSpeicherZurueck();
        return ergebnis;
    }));
}

void SortLauf::Fertig() {
    arbeitet_ = false;
    // A stale result is refused by the model; the one asked for meanwhile follows.
    modell_.Uebernimm(lauf_->future().takeResult());
    if (wartet_) {
        SortAuftrag naechster = std::move(*wartet_);
        wartet_.reset();
        Starte(std::move(naechster));
        return;
    }
    laeuft_(modell_.SortLaeuft());
}

} // namespace tarvis
