#include "route/MatrixRunner.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

#include "route/RouteSearch.h"

namespace {

// Takes starts from the shared counter until none is left; each start fills
// its own row, so the threads never write the same place.
void searchStarts(const CarteVarenthe &original, const std::vector<MatrixCell> &cells, std::atomic<size_t> &next,
                  std::vector<int32_t> &times)
{
    CarteVarenthe map = original;
    map.routeEndX = -1;
    map.routeEndY = -1;
    const size_t n = cells.size();
    for (size_t i = next++; i < n; i = next++) {
        map.routeStartX = cells[i].x;
        map.routeStartY = cells[i].y;
        searchRoutes(map);
        for (size_t j = 0; j < n; ++j) {
            map.routeEndX = cells[j].x;
            map.routeEndY = cells[j].y;
            times[i * n + j] = tracedTotalTime(map);
        }
    }
}

} // namespace

std::vector<int32_t> runTravelMatrix(const CarteVarenthe &map, const std::vector<MatrixCell> &cells, unsigned jobs)
{
    std::vector<int32_t> times(cells.size() * cells.size(), -1);
    std::atomic<size_t> next{0};
    const size_t threadCount = std::clamp<size_t>(jobs, 1, std::max<size_t>(cells.size(), 1));
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto work = [&] {
        try {
            searchStarts(map, cells, next, times);
        } catch (...) {
            // The other threads stop at their next start.
            next = cells.size();
            const std::lock_guard<std::mutex> hold(failureLock);
            if (!failure)
                failure = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threadCount; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread &helper : helpers)
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
    return times;
}
