#include "map/EditReport.h"

#include <algorithm>

#include "map/CarteVarenthe.h"

void EditReport::recordRun(int32_t x, int32_t y, int32_t length, int32_t before, int32_t after)
{
    if (before == after || length <= 0)
        return;
    include(x, y, x + length - 1);
    // A run only grows by the write that immediately follows it, so the
    // order of writes to one cell is kept.
    if (!cells_.empty()) {
        CellRun &last = cells_.back();
        if (last.y == y && last.x + last.length == x && last.before == before && last.after == after) {
            last.length += length;
            return;
        }
    }
    cells_.push_back(CellRun{x, y, length, before, after});
}

void EditReport::recordElement(ElementChange change)
{
    include(change.x, change.y, change.x);
    elements_.push_back(std::move(change));
}

void EditReport::append(const EditReport &later)
{
    // Grown geometrically: a stroke appends a few cells at every mouse
    // event, and an exact reserve would copy the whole report each time.
    if (const size_t needed = cells_.size() + later.cells_.size(); needed > cells_.capacity())
        cells_.reserve(std::max(needed, 2 * cells_.capacity()));
    for (const CellRun &run : later.cells_)
        recordRun(run.x, run.y, run.length, run.before, run.after);
    for (const ElementChange &change : later.elements_)
        recordElement(change);
}

void EditReport::clear()
{
    cells_.clear();
    elements_.clear();
    bounds_ = {};
}

void EditReport::shrinkToFit()
{
    cells_.shrink_to_fit();
    elements_.shrink_to_fit();
}

size_t EditReport::changeCount() const
{
    size_t count = elements_.size();
    for (const CellRun &run : cells_)
        count += static_cast<size_t>(run.length);
    return count;
}

size_t EditReport::cellCount() const
{
    struct Span {
        int32_t y, x0, x1;
    };
    std::vector<Span> spans;
    spans.reserve(cells_.size() + elements_.size());
    for (const CellRun &run : cells_)
        spans.push_back({run.y, run.x, run.x + run.length - 1});
    for (const ElementChange &change : elements_)
        spans.push_back({change.y, change.x, change.x});
    std::sort(spans.begin(), spans.end(),
              [](const Span &a, const Span &b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
    size_t count = 0;
    // Spans of one row in order of their start: each adds the cells beyond
    // the furthest reached so far.
    int32_t row = 0;
    int64_t reached = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        const Span &span = spans[i];
        if (i == 0 || span.y != row) {
            row = span.y;
            reached = int64_t{span.x0} - 1;
        }
        if (span.x1 > reached) {
            count += static_cast<size_t>(span.x1 - std::max<int64_t>(reached, int64_t{span.x0} - 1));
            reached = span.x1;
        }
    }
    return count;
}

size_t EditReport::memoryBytes() const
{
    size_t bytes = sizeof(*this) + cells_.capacity() * sizeof(CellRun) + elements_.capacity() * sizeof(ElementChange);
    for (const ElementChange &change : elements_)
        bytes += change.before.name.capacity() + change.after.name.capacity();
    return bytes;
}

void EditReport::include(int32_t x0, int32_t y, int32_t x1)
{
    if (bounds_.empty()) {
        bounds_ = CellRect{x0, y, x1, y};
        return;
    }
    bounds_.x0 = std::min(bounds_.x0, x0);
    bounds_.x1 = std::max(bounds_.x1, x1);
    bounds_.y0 = std::min(bounds_.y0, y);
    bounds_.y1 = std::max(bounds_.y1, y);
}

void EditReport::undo(CarteVarenthe &document) const
{
    for (auto run = cells_.rbegin(); run != cells_.rend(); ++run)
        std::fill_n(document.terrain.row(run->y) + run->x, run->length, run->before);
    for (auto change = elements_.rbegin(); change != elements_.rend(); ++change) {
        // Later appends were taken back first, so an appended record is the last.
        if (change->appended)
            document.elements.resize(change->slot);
        else
            document.elements[change->slot] = change->before;
        // Also names again a city whose removal left its cell naming nothing.
        document.elementIndex.at(change->x, change->y) = change->indexBefore;
    }
}

void EditReport::redo(CarteVarenthe &document) const
{
    for (const CellRun &run : cells_)
        std::fill_n(document.terrain.row(run.y) + run.x, run.length, run.after);
    for (const ElementChange &change : elements_) {
        if (change.appended) {
            document.elements.resize(change.slot);
            document.elements.push_back(change.after);
        } else {
            document.elements[change.slot] = change.after;
        }
        document.elementIndex.at(change.x, change.y) = change.indexAfter;
    }
}
