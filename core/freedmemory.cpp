#include "core/freedmemory.h"

#include <malloc.h>

namespace folivex {

void RetainFreedMemory() noexcept
{
    // Blocks below 256 MiB come from the heap, where a freed one is reused;
    // the heap's free top goes back to the system only beyond 512 MiB. Each
    // call only tunes the allocator: a refusal leaves its defaults.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
}

} // namespace folivex
