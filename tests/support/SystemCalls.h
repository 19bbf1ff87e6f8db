#pragma once

#include "calllog/LogWriter.h"

#include <cerrno>
#include <fcntl.h>

namespace tarvis::test {

// The system's own calls, except that an open whose flags, masked with `Maske`, equal `Wert`
// fails with `Fehler`.
template <int Maske, int Wert, int Fehler> Systemaufrufe OeffnenVerweigert() {
    Systemaufrufe system = EchteSystemaufrufe();
    system.open = [](const char* pfad, int flags, mode_t modus) {
        if ((flags & Maske) == Wert) {
            errno = Fehler;
            return -1;
        }
        return ::open(pfad, flags, modus);
    };
    return system;
}

// A file system that has no files without a name (O_TMPFILE), as FAT.
inline Systemaufrufe OhneNamenloseDateien() {
    return OeffnenVerweigert<O_TMPFILE, O_TMPFILE, EOPNOTSUPP>();
}

} // namespace tarvis::test
