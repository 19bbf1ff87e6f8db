#pragma once

namespace tarvis {

// From now on, blocks of 8 MiB and more go back to the system as soon as they are freed.
// glibc by default raises the size from which it gives a block pages of its own to the
// largest block freed so far, and keeps freed blocks below that size in its heaps, one per
// thread that allocates: after a few sorts of a million calls on worker threads their
// temporaries (8 to 56 MB each) stay resident beside the next ones. Smaller blocks (a million
// rows' order, 4 MB) stay in the heaps to be used again: pages of their own would be new pages
// to fault in each time, on the window's thread too. For the whole process; calling it again
// changes nothing. Does nothing where the C library has no such setting.
void GibGrosseBloeckeSofortZurueck();

// The pages of every freed block go back to the system now, from every thread's heap: a worker
// calls it when its temporaries are gone, so that the next step does not find the memory of
// the last one still resident beside its own.
void GibFreienSpeicherZurueck();

} // namespace tarvis
