#include "map/PagePrefault.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Below this, the few faults cost less than the call.
constexpr size_t SmallestPrefault = size_t{1} << 20;

} // namespace

void prefaultPages(void *memory, size_t bytes)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (!memory || bytes < SmallestPrefault)
        return;
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<uintptr_t>(memory);
    const uintptr_t from = (start + page - 1) & ~(page - 1);
    const uintptr_t to = (start + bytes) & ~(page - 1);
    if (to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_POPULATE_WRITE);
#else
    (void)memory;
    (void)bytes;
#endif
}
