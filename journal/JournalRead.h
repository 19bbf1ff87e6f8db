#pragma once

#include "calllog/LogReader.h"
#include "calllog/LogSums.h"
#include "journal/JournalData.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QIODevice;

namespace tarvis {

// How the reading of one file went.
struct DateiBericht {
    enum class Stand { Gelesen, Leer, OhneGespraeche, NichtLesbar };
    QString pfad;
    Stand stand = Stand::Gelesen;
    QString grund; // why a file could not be read
    std::int64_t gespraeche = 0;
    std::int64_t unlesbar = 0;
};

// The message the window shows for a file that gave no calls; empty for one that did.
QString Meldung(const DateiBericht& bericht);

struct JournalFehler {
    std::uint16_t datei = 0; // index in the journal's files
    std::int64_t zeile = 0;
    std::string grund;
};

struct Journal {
    JournalDaten daten;
    std::vector<DateiBericht> dateien;
    std::vector<JournalFehler> fehler; // the first MaxGemerkteFehler unreadable lines
    std::int64_t fehlerAnzahl = 0;     // all of them
    bool abgebrochen = false;
    bool zuGross = false; // more calls than the journal can hold: the rest are left out
};

// Gathers the calls of several logs into a journal. Each file is read whole or not at all: a
// file whose reading fails halfway adds none of its calls, so that sums never hold half a file.
class JournalSammler {
public:
    // Reads one log that the caller has opened; `weiter` as for LiesLog. Each unreadable line
    // also goes to `melde` as it is found, if given. False when the device failed, the reading
    // was stopped, or the journal is full.
    bool Lies(QIODevice& quelle, const QString& pfad,
              const std::function<bool(std::int64_t bytes)>& weiter = {},
              const std::function<void(const LogFehler&)>& melde = {});
    // Room for the calls of logs of this many bytes, as far as the writer wrote them.
    void Reservieren(std::int64_t bytes);
    // A log that could not be opened.
    void NichtGeoeffnet(const QString& pfad, const QString& grund);

    const Journal& Stand() const { return journal_; }
    Journal Ergebnis() && { return std::move(journal_); }

private:
    Journal journal_;
};

// Reads the logs, ordinary files only, and only reads them. `fortschritt` is told the bytes
// read of all files together after every block (and their total size); false stops the
// reading. Runs on any thread.
Journal
LiesJournal(const QStringList& pfade,
            const std::function<bool(std::int64_t gelesen, std::int64_t gesamt)>& fortschritt = {});

// A reading followed from another thread: the window shows how far LiesJournal has got on its
// worker thread, and stops it when the window closes or other logs are to be read.
class LeseFortschritt {
public:
    // Reads the logs as LiesJournal does, telling this object how far it has got.
    Journal Lies(const QStringList& pfade);
    void Stoppe() { gestoppt_ = true; }
    bool Gestoppt() const { return gestoppt_; }
    // Ready for the next reading: not stopped, nothing read.
    void Neu();
    // How much of the bytes of all files is read, 0..1000; 0 while their size is not known.
    int Promille() const;

private:
    std::atomic<bool> gestoppt_{false};
    std::atomic<std::int64_t> gelesen_{0};
    std::atomic<std::int64_t> gesamt_{0};
};

} // namespace tarvis
