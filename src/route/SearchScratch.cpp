#include "route/SearchScratch.h"

#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#else
#include <cstdlib>
#endif

namespace {

constexpr size_t BytesPerCell = 2 * sizeof(uint32_t) + sizeof(uint16_t);
// A world map needs about 500 KiB; blocks above this are given back.
constexpr size_t KeptBytes = size_t{16} << 20;

} // namespace

void SearchScratch::prepare(size_t cells)
{
    const size_t bytes = cells * BytesPerCell;
    cells_ = cells;
    if (bytes <= bytes_)
        return;
    release();
    cells_ = cells;
#if defined(__linux__)
    void *block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED)
        throw std::bad_alloc();
    // Only a hint: without large pages the search is merely slower.
    madvise(block, bytes, MADV_HUGEPAGE);
#else
    void *block = std::malloc(bytes);
    if (!block)
        throw std::bad_alloc();
#endif
    block_ = block;
    bytes_ = bytes;
}

void SearchScratch::trim()
{
    if (bytes_ > KeptBytes)
        release();
}

void SearchScratch::release()
{
    if (!block_)
        return;
#if defined(__linux__)
    munmap(block_, bytes_);
#else
    std::free(block_);
#endif
    block_ = nullptr;
    bytes_ = 0;
    cells_ = 0;
}

SearchScratch &SearchScratch::forThisThread()
{
    thread_local SearchScratch scratch;
    return scratch;
}
