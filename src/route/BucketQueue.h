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

    // Makes the queue ready for a search whose steps cost at most
    // `largestStepCost` minutes. The queue must be empty.
    void prepare(int64_t largestStepCost);
    bool usesBuckets() const { return !ordered_; }
    int64_t bucketCount() const { return static_cast<int64_t>(mask_) + 1; }

    // Bucket mode.
    void push(int64_t minute, uint32_t entry)
    {
        buckets_[static_cast<size_t>(minute) & mask_].push_back(entry);
        ++pending_;
    }
    std::vector<uint32_t> &bucket(int64_t minute) { return buckets_[static_cast<size_t>(minute) & mask_]; }
    // Empties a visited bucket, keeping its capacity.
    void release(std::vector<uint32_t> &visited)
    {
        pending_ -= visited.size();
        visited.clear();
    }
    bool empty() const { return pending_ == 0 && heap_.empty(); }

    // Ordered (heap) mode.
    struct OrderedEntry {
        int64_t minute;
        uint64_t order;
        uint32_t entry;
    };
    void pushOrdered(int64_t minute, uint32_t entry);
    OrderedEntry popOrdered();

    // Number of entries the queue's storage can hold without growing.
    size_t capacity() const;

    // The calling thread's queue.
    static BucketQueue &forThisThread();

private:
    std::vector<std::vector<uint32_t>> buckets_;
    size_t mask_ = 0;
    size_t pending_ = 0;
    bool ordered_ = false;
    std::vector<OrderedEntry> heap_;
    uint64_t nextOrder_ = 0;
};
