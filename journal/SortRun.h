#pragma once

#include "journal/JournalModel.h"

#include <QFutureWatcher>
#include <QObject>
#include <functional>
#include <optional>

namespace tarvis {

// The calls sorted on a worker thread, so that a click on a heading never keeps the window
// waiting: the model's Sortierer. One sort at a time; requests made meanwhile wait, and only
// the newest of them runs next. The model owns the order shown and refuses a result that a
// newer request made stale.
class SortLauf final : public QObject {
public:
    // `laeuft` is told true when a sort starts to keep the table waiting and false when the
    // order asked for last is shown.
    SortLauf(JournalModell& modell, std::function<void(bool laeuft)> laeuft,
             QObject* parent = nullptr);
    // Waits for a sort still working; the model may be gone by then.
    ~SortLauf() override;

private:
    void Neu(SortAuftrag auftrag);
    void Starte(SortAuftrag auftrag);
    void Fertig();

    JournalModell& modell_;
    std::function<void(bool)> laeuft_;
    QFutureWatcher<SortErgebnis>* lauf_ = nullptr;
    bool arbeitet_ = false;             // a run is started and its result not yet taken
    std::optional<SortAuftrag> wartet_; // the newest request made meanwhile
};

} // namespace tarvis
