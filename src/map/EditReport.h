#pragma once
// What one edit of a map changed, so that it can be taken back, done again,
// and repainted where it matters: the terrain cells written (before and
// after), as runs of neighbouring cells of one row, and the element records
// touched. Every document edit can fill one; a fill of a whole map is one run
// per row, never a copy of the map.
//
// Undo applies the changes backwards, redo forwards, on the document the
// edit was made on in the state it left it; both restore the exact terrain
// values and element records. Neither touches `modified`: whoever keeps the
// history knows where the last save was.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "map/Element.h"

class CarteVarenthe;

// Cells x0..x1 and y0..y1, both ends included; empty when x1 < x0.
struct CellRect {
    int32_t x0 = 0;
    int32_t y0 = 0;
    int32_t x1 = -1;
    int32_t y1 = -1;

    bool empty() const { return x1 < x0 || y1 < y0; }
    bool contains(int32_t x, int32_t y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    bool operator==(const CellRect &) const = default;
};

// `length` cells of row y from column x, each of which held `before` and now
// holds `after`.
struct CellRun {
    int32_t x = 0;
    int32_t y = 0;
    int32_t length = 0;
    int32_t before = 0;
    int32_t after = 0;

    bool operator==(const CellRun &) const = default;
};

// One element record rewritten in place, or appended at the end of the list
// (and named by its cell's element index).
struct ElementChange {
    size_t slot = 0; // position in the document's list, from 0
    bool appended = false;
    int32_t x = 0; // the cell edited
    int32_t y = 0;
    int32_t indexBefore = 0; // the cell's element index, before and after
    int32_t indexAfter = 0;
    Element before;
    Element after;
};

class EditReport {
public:
    // A cell written, in the order of the edit; a write that changes nothing
    // is not kept.
    void recordCell(int32_t x, int32_t y, int32_t before, int32_t after) { recordRun(x, y, 1, before, after); }
    void recordRun(int32_t x, int32_t y, int32_t length, int32_t before, int32_t after);
    void recordElement(ElementChange change);
    // The changes of a later edit of the same document, as one.
    void append(const EditReport &later);
    void clear();
    // Gives back the room kept for growing, once the edit is complete.
    void shrinkToFit();

    bool empty() const { return cells_.empty() && elements_.empty(); }
    const std::vector<CellRun> &cells() const { return cells_; }
    const std::vector<ElementChange> &elements() const { return elements_; }
    // Cells whose terrain or element changed.
    CellRect bounds() const { return bounds_; }
    // Cell writes kept, a cell written twice counting twice, plus element
    // records touched.
    size_t changeCount() const;
    // Distinct cells whose terrain or element the edit wrote, however often.
    size_t cellCount() const;
    // Memory the report holds, for a history kept within a bound.
    size_t memoryBytes() const;

    void undo(CarteVarenthe &document) const;
    void redo(CarteVarenthe &document) const;

private:
    void include(int32_t x0, int32_t y, int32_t x1);

    std::vector<CellRun> cells_;
    std::vector<ElementChange> elements_;
    CellRect bounds_;
};
