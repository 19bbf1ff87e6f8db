#pragma once

namespace tarvis {

// From now on, blocks of a megabyte and more go back to the system as soon as they are freed.
// glibc by default raises the size from which it gives a block pages of its own to the
// largest block freed so far, and keeps freed blocks below that size in its heaps, one per
// thread that allocates: after a few sorts of a million calls on worker threads their
// temporaries (4 to 16 MB each) stay resident beside the next ones. For the whole process;
// calling it again changes nothing. Does nothing where the C library has no such setting.
void GibGrosseBloeckeSofortZurueck();

} // namespace tarvis
