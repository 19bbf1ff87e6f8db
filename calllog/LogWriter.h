#pragma once

// The save of a call: its lines (LogRecord.h) appended to the log so that another program saving
// to the same log at the same moment, a full disk, a failing system call or a kill in the middle
// never leave a half record, a second heading or a stray file. The log file belongs to whoever
// holds its lock: every save takes the exclusive lock before it looks at the file's end.

#include "calllog/Call.h"
#include "calllog/LogRecord.h" // the lines a save writes, for those who check what it wrote

#include <QString>
#include <functional>
#include <sys/types.h>

struct stat;

namespace tarvis {

// Whether an ordinary file of that name exists; a directory or a device is no file. Every
// failure to look counts as "does not exist".
bool FileExist(const QString& pFileName);

// The outcome of a save: either written, or the reason the system gave for not writing.
struct SchreibErgebnis {
    bool geschrieben = false;
    QString grund;
    explicit operator bool() const { return geschrieben; }
};

// The reason given when another program keeps the log locked for longer than the save waits.
QString GesperrtGrund();

// The calls to the operating system that a save makes, one pointer each, so that a test can let
// any of them fail with any reason and see what the save makes of it. The program itself always
// uses the system's own (EchteSystemaufrufe).
struct Systemaufrufe {
    int (*open)(const char* pfad, int flags, mode_t modus);
    int (*flock)(int fd, int art);
    int (*fstat)(int fd, struct stat* info);
    ssize_t (*pread)(int fd, void* puffer, size_t anzahl, off_t stelle);
    ssize_t (*write)(int fd, const void* puffer, size_t anzahl);
    int (*fsync)(int fd);
    int (*ftruncate)(int fd, off_t laenge);
    int (*close)(int fd);
    // Gives the file open as `fd` (made without a name) the name `pfad`; fails if it exists.
    int (*linkat)(int fd, const char* pfad);
    // Renames, but never over a file that exists (then EEXIST).
    int (*rename)(const char* alt, const char* neu);
    int (*unlink)(const char* pfad);
};

const Systemaufrufe& EchteSystemaufrufe();

// How a save goes about its work.
struct SpeicherArt {
    // Asked each time the log is found locked by another program: true to try again (after the
    // caller has let a moment pass, keeping its window alive), false to give up. Without it the
    // save waits for the lock as long as it takes.
    std::function<bool()> nochmalVersuchen;
    const Systemaufrufe* system = &EchteSystemaufrufe();
};

// Appends one call (and the heading, when the file does not exist yet) to the log file.
// Either all of it lands in the file or none of it: after a failure the file is as it was,
// and a log this save would have created does not exist. Nothing else is left beside the log,
// not even by a program killed in the middle of the save.
SchreibErgebnis AppendCallRecord(const QString& pFileName, const Gespraech& gespraech,
                                 const SpeicherArt& art = {});

} // namespace tarvis
