#include "route/BucketQueue.h"

#include <algorithm>

namespace {

// Earliest minute first; among equal minutes, the entry appended first.
bool laterThan(const BucketQueue::OrderedEntry &a, const BucketQueue::OrderedEntry &b)
{
    return a.minute != b.minute ? a.minute > b.minute : a.order > b.order;
}

} // namespace

void BucketQueue::prepare(int64_t largestStepCost)
{
    for (std::vector<uint32_t> &bucket : buckets_)
        bucket.clear();
    pending_ = 0;
    heap_.clear();
    nextOrder_ = 0;

    // A bucket may only hold the minute being visited, so there must be
    // more buckets than minutes in the longest step.
    int64_t count = MinBucketCount;
    while (count <= largestStepCost && count < MaxBucketCount)
        count *= 2;
    ordered_ = count <= largestStepCost;
    if (ordered_)
        count = MinBucketCount;
    if (buckets_.size() < static_cast<size_t>(count))
        buckets_.resize(static_cast<size_t>(count));
    mask_ = static_cast<size_t>(count) - 1;
}

void BucketQueue::pushOrdered(int64_t minute, uint32_t entry)
{
    heap_.push_back({minute, nextOrder_++, entry});
    std::push_heap(heap_.begin(), heap_.end(), laterThan);
}

BucketQueue::OrderedEntry BucketQueue::popOrdered()
{
    std::pop_heap(heap_.begin(), heap_.end(), laterThan);
    const OrderedEntry first = heap_.back();
    heap_.pop_back();
    return first;
}

size_t BucketQueue::capacity() const
{
    size_t total = heap_.capacity();
    for (const std::vector<uint32_t> &bucket : buckets_)
        total += bucket.capacity();
    return total;
}

BucketQueue &BucketQueue::forThisThread()
{
    thread_local BucketQueue queue;
    return queue;
}
