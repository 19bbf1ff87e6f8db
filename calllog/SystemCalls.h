#pragma once

#include <sys/types.h>

struct stat;

namespace tarvis {

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

} // namespace tarvis
