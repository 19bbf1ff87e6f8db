#include "platform/Memory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace tarvis {

void GibGrosseBloeckeSofortZurueck() {
#if defined(M_MMAP_THRESHOLD)
    // A fixed threshold also ends glibc's raising of it.
    constexpr int AchtMebibyte = 8 << 20;
    mallopt(M_MMAP_THRESHOLD, AchtMebibyte);
#endif
}

void GibFreienSpeicherZurueck() {
#if defined(M_MMAP_THRESHOLD)
    malloc_trim(0);
#endif
}

} // namespace tarvis
