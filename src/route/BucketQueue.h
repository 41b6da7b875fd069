#pragma once
// The route search's queue: one bucket of pending search entries per minute
// modulo the bucket count, each bucket kept in insertion order. The bucket
// count is a power of two above the largest step cost, so that a bucket only
// ever holds entries of the minute being visited; 128 buckets serve every
// valid cost table. One queue per thread, kept with its grown capacity from
// search to search (every search leaves it empty).
//
// Cost tables read from files may ask for steps longer than any sensible
// bucket count; the queue then orders its entries in a heap by minute and
// insertion order, which visits them in exactly the same order.
#include <cstddef>
#include <cstdint>
#include <vector>

class BucketQueue {
public:
    static constexpr int64_t MinBucketCount = 128;
    static constexpr int64_t MaxBucketCount = 65536;

    // A bucket always has room for one more entry past its size, so that the
    // search may write an entry first and decide afterwards whether it
    // counts (see `append`).
    struct Bucket {
        uint32_t *entries = nullptr;
        size_t size = 0;
        size_t capacity = 0;
    };

    // Makes the queue ready for a search whose steps cost at most
    // `largestStepCost` minutes, and empty.
    void prepare(int64_t largestStepCost);
    bool usesBuckets() const { return !ordered_; }
    int64_t bucketCount() const { return static_cast<int64_t>(mask_) + 1; }

    // Bucket mode.
    Bucket *buckets() { return buckets_.data(); }
    size_t mask() const { return mask_; }
    Bucket &bucket(int64_t minute) { return buckets_[static_cast<size_t>(minute) & mask_]; }
    // Writes `entry` after the bucket's last entry and keeps it when `keep`.
    void append(Bucket &bucket, uint32_t entry, bool keep)
    {
        bucket.entries[bucket.size] = entry;
        bucket.size += keep;
        if (bucket.size == bucket.capacity)
            grow(bucket);
    }
    void push(int64_t minute, uint32_t entry) { append(bucket(minute), entry, true); }

    // Ordered (heap) mode.
    struct OrderedEntry {
        int64_t minute;
        uint64_t order;
        uint32_t entry;
    };
    void pushOrdered(int64_t minute, uint32_t entry);
    OrderedEntry popOrdered();
    bool orderedEmpty() const { return heap_.empty(); }

    // Number of entries the queue's storage holds without growing.
    size_t capacity() const;

    // The calling thread's queue.
    static BucketQueue &forThisThread();

private:
    void grow(Bucket &bucket);

    std::vector<std::vector<uint32_t>> storage_;
    std::vector<Bucket> buckets_;
    size_t mask_ = 0;
    bool ordered_ = false;
    std::vector<OrderedEntry> heap_;
    uint64_t nextOrder_ = 0;
};
