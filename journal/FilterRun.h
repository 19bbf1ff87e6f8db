#pragma once

#include "journal/JournalModel.h"

#include <QFutureWatcher>
#include <QObject>
#include <functional>

class QTimer;

namespace tarvis {

// The filters worked out on a worker thread, so that neither the typing nor the main window's
// clock waits for a search through a million calls. One run at a time: a change meanwhile is
// worked out when that run is done, and a run whose calls or order changed meanwhile is worked
// out again. Typing waits for a pause first, so that a search runs once per word rather than
// once per key.
class FilterLauf final : public QObject {
public:
    struct Rueckrufe {
        // The filter as the controls set it, and whether the sums per telephone number are
        // wanted too.
        std::function<FilterAuftrag()> auftrag;
        // A run's result is in the model: its sums are to be shown.
        std::function<void(const LogSummen& summen, std::optional<TelefonSummen> telefon)>
            uebernommen;
        // What the controls set is shown; no run waits.
        std::function<void()> fertig;
    };

    FilterLauf(JournalModell& modell, Rueckrufe rueckrufe, QObject* parent = nullptr);
    // Waits for a run still working, which reads the model's calls.
    ~FilterLauf() override;

    // Worked out now, or as soon as the run working is done.
    void Jetzt();
    // Worked out once the typing pauses.
    void NachTippPause();
    // Whether a filter is still being worked out, waits, or its result is not yet shown.
    bool Laeuft() const;

private:
    void Starte();
    void Fertig();

    JournalModell& modell_;
    Rueckrufe rueckrufe_;
    QFutureWatcher<FilterErgebnis>* lauf_ = nullptr;
    QTimer* tippPause_ = nullptr;
    // A run is started and its result not yet taken: the worker may be done while its result
    // still waits to be taken, and a new run then would lose it or take it twice.
    bool laeuft_ = false;
    bool wartet_ = false; // the filters changed while one was worked out
};

} // namespace tarvis
