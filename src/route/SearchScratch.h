#pragma once
// Working storage of the route search on one thread: the pending arrivals of
// both travel layers and the per-cell classes and edge flags. On a large map
// the search reads it at random, so it lives in one block that the system is
// asked to back with large memory pages (far fewer address-translation
// misses). Kept between searches on maps of ordinary size; a large map's
// block is given back after its search, so that the document alone holds
// its memory between searches.
#include <cstddef>
#include <cstdint>

class SearchScratch {
public:
    SearchScratch() = default;
    SearchScratch(const SearchScratch &) = delete;
    SearchScratch &operator=(const SearchScratch &) = delete;
    ~SearchScratch() { release(); }

    // Room for `cells` cells; the contents are undefined.
    void prepare(size_t cells);
    // Gives the block back when it is larger than a search on an ordinary
    // map needs.
    void trim();
    void release();

    uint32_t *times(int layer) { return reinterpret_cast<uint32_t *>(block_) + static_cast<size_t>(layer) * cells_; }
    uint16_t *cellInfo() { return reinterpret_cast<uint16_t *>(reinterpret_cast<uint32_t *>(block_) + 2 * cells_); }

    static SearchScratch &forThisThread();

private:
    void *block_ = nullptr;
    size_t bytes_ = 0;
    size_t cells_ = 0;
};
