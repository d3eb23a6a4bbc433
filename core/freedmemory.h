// RetainFreedMemory: the C library keeps freed memory for the next
// allocation instead of handing it back to the system at once.
//
// A conversion allocates and frees buffers of tens of megabytes for every
// page (the page bitmap, its bands, its JPEG). Handed back, each is mapped
// and faulted in again for the next page, a fifth of a 300 dpi
// conversion's time. Kept, the next page reuses them; the process's peak
// memory stays what its largest page needs. For the process that writes
// the pages (the Office host keeps its own buffers). Call once, first thing
// in main. Never throws.
#pragma once

namespace folivex {

void RetainFreedMemory() noexcept;

} // namespace folivex
