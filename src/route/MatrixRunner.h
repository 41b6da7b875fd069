#pragma once
// Travel times between every ordered pair of chosen cells of one map, for
// scripts that plan many journeys: one search from each start, the starts
// shared out among a pool of threads. Each thread searches on its own copy
// of the document, since the travel layers live there, and with its own
// search scratch and bucket queue.
#include <cstdint>
#include <vector>

#include "map/CarteVarenthe.h"

struct MatrixCell {
    int32_t x = 0;
    int32_t y = 0;
};

// times[i * n + j]: the minutes from cells[i] to cells[j] under the
// document's route options, exactly the duration that setting the start on
// cells[i] and the end on cells[j] would trace; -1 when there is no route.
// `jobs` threads at most (at least one). A failure in any thread (no
// memory for its copy) is thrown here once all have stopped.
std::vector<int32_t> runTravelMatrix(const CarteVarenthe &map, const std::vector<MatrixCell> &cells, unsigned jobs);
