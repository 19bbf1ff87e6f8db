#include "journal/FilterRun.h"

#include "platform/Memory.h"

#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <type_traits>

namespace tarvis {

namespace {

// Long enough for the next key of a word, short enough to seem at once.
constexpr int TippPauseMs = 250;

// QFuture::takeResult copies a result that cannot be moved without the risk of an exception:
// for a million calls that is their rows and the sums per number, copied on the window's thread.
static_assert(std::is_nothrow_move_constructible_v<FilterErgebnis>);

} // namespace

FilterLauf::FilterLauf(JournalModell& modell, Rueckrufe rueckrufe, QObject* parent)
    : QObject(parent), modell_(modell), rueckrufe_(std::move(rueckrufe)) {
    lauf_ = new QFutureWatcher<FilterErgebnis>(this);
    connect(lauf_, &QFutureWatcher<FilterErgebnis>::finished, this, &FilterLauf::Fertig);
    tippPause_ = new QTimer(this);
    tippPause_->setSingleShot(true);
    tippPause_->setInterval(TippPauseMs);
    connect(tippPause_, &QTimer::timeout, this, &FilterLauf::Starte);
}

FilterLauf::~FilterLauf() {
    if (lauf_->isRunning()) {
        lauf_->waitForFinished();
    }
}

void FilterLauf::NachTippPause() {
    tippPause_->start();
}

bool FilterLauf::Laeuft() const {
    return tippPause_->isActive() || laeuft_ || wartet_;
}

void FilterLauf::Jetzt() {
    tippPause_->stop();
    Starte();
}

void FilterLauf::Starte() {
    if (laeuft_) {
        wartet_ = true;
        return;
    }
    wartet_ = false;
    laeuft_ = true;
    lauf_->setFuture(QtConcurrent::run([auftrag = rueckrufe_.auftrag()] {
        FilterErgebnis ergebnis = FuehreAus(auftrag);
        GibFreienSpeicherZurueck();
        return ergebnis;
    }));
}

void FilterLauf::Fertig() {
    laeuft_ = false;
    FilterErgebnis ergebnis = lauf_->future().takeResult();
    const LogSummen summen = ergebnis.summen;
    std::optional<TelefonSummen> telefon = std::move(ergebnis.telefon);
    if (!modell_.Uebernimm(std::move(ergebnis))) {
        wartet_ = true;
    } else {
        rueckrufe_.uebernommen(summen, std::move(telefon));
    }
    if (wartet_) {
        Starte();
        return;
    }
    rueckrufe_.fertig();
}

} // namespace tarvis
