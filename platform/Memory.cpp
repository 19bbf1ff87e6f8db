#include "platform/Memory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace tarvis {

void GibGrosseBloeckeSofortZurueck() {
#if defined(M_MMAP_THRESHOLD)
    // A fixed threshold also ends glibc's raising of it.
    constexpr int EinMegabyte = 1 << 20;
    mallopt(M_MMAP_THRESHOLD, EinMegabyte);
#endif
}

} // namespace tarvis
