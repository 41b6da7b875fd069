#include "route/BucketQueue.h"

#include <algorithm>

namespace {

constexpr size_t InitialBucketCapacity = 64;

// Earliest minute first; among equal minutes, the entry appended first.
bool laterThan(const BucketQueue::OrderedEntry &a, const BucketQueue::OrderedEntry &b)
{
    return a.minute != b.minute ? a.minute > b.minute : a.order > b.order;
}

} // namespace

void BucketQueue::prepare(int64_t largestStepCost)
{
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
    if (buckets_.size() < static_cast<size_t>(count)) {
        storage_.resize(static_cast<size_t>(count));
        buckets_.resize(static_cast<size_t>(count));
        for (size_t i = 0; i < buckets_.size(); ++i) {
            if (storage_[i].empty())
                storage_[i].resize(InitialBucketCapacity);
            buckets_[i].entries = storage_[i].data();
            buckets_[i].capacity = storage_[i].size();
        }
    }
    for (Bucket &bucket : buckets_)
        bucket.size = 0;
    mask_ = static_cast<size_t>(count) - 1;
}

void BucketQueue::grow(Bucket &bucket)
{
    const auto index = static_cast<size_t>(&bucket - buckets_.data());
    std::vector<uint32_t> &storage = storage_[index];
    storage.resize(storage.size() * 2);
    bucket.entries = storage.data();
    bucket.capacity = storage.size();
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
    for (const std::vector<uint32_t> &storage : storage_)
        total += storage.size();
    return total;
}

BucketQueue &BucketQueue::forThisThread()
{
    thread_local BucketQueue queue;
    return queue;
}
