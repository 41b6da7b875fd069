// Full route searches (both layers) on a world-sized map and on a 4096 x 4096
// map with every route option on, against a textbook binary-heap Dijkstra
// over the same moves, in the same run. Prints the medians' ratios and the
// resident memory of the large document before and after a search.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <queue>
#include <random>
#include <string>
#include <vector>

#include "GeneratedWorld.h"
#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "route/BucketQueue.h"
#include "route/MoveRules.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"

namespace {

using benchworld::paintWorld;

// A walkable cell near the middle of the map to start from.
std::pair<int32_t, int32_t> startNearMiddle(const CarteVarenthe &map)
{
    const int32_t cx = map.width / 2, cy = map.height / 2;
    for (int32_t radius = 0; radius < std::max(map.width, map.height); ++radius)
        for (int32_t y = cy - radius; y <= cy + radius; ++y)
            for (int32_t x = cx - radius; x <= cx + radius; ++x)
                if (map.contains(x, y) && map.costTables.footCost[static_cast<uint8_t>(map.terrain.at(x, y))] > 0 &&
                    map.terrain.at(x, y) < 128)
                    return {x, y};
    return {cx, cy};
}

std::unique_ptr<CarteVarenthe> makeWorld(bool everyOption)
{
    auto map = std::make_unique<CarteVarenthe>();
    map->create(300, 169, 20, 13, 1, 100);
    paintWorld(*map, 20261206, 24);
    setRouteOptions(*map, everyOption, true, everyOption);
    return map;
}

std::unique_ptr<CarteVarenthe> makeLarge()
{
    auto map = std::make_unique<CarteVarenthe>();
    map->create(4096, 4096, 20, 13, 1, 100);
    paintWorld(*map, 4096, 160);
    setRouteOptions(*map, true, true, true);
    return map;
}

// The sample map beside the program, when it has been generated.
std::unique_ptr<CarteVarenthe> loadSample()
{
    const std::string path = std::string(PELMORIN_OUTPUT_DIR) + "/pelmorin.vr";
    if (!std::filesystem::exists(path))
        return nullptr;
    auto map = std::make_unique<CarteVarenthe>();
    try {
        map->open(path);
    } catch (const MapError &error) {
        std::fprintf(stderr, "pelmorin.vr illisible : %s\n", error.what());
        return nullptr;
    }
    setRouteOptions(*map, false, true, true);
    return map;
}

// Textbook Dijkstra over the moves of the movement rules: a binary heap of
// (minute, state) with lazy deletion.
class HeapDijkstra {
public:
    explicit HeapDijkstra(const CarteVarenthe &map)
        : map_(map), cells_(static_cast<size_t>(map.width) * map.height), time_(2 * cells_, -1)
    {
    }

    void run(int32_t startX, int32_t startY)
    {
        std::fill(time_.begin(), time_.end(), -1);
        using Item = std::pair<int64_t, uint64_t>;
        std::priority_queue<Item, std::vector<Item>, std::greater<>> heap;
        const uint8_t onFoot = startsOnFoot(map_, startX, startY) ? 1 : 0;
        heap.emplace(0, pack(startX, startY, onFoot));
        while (!heap.empty()) {
            const auto [minute, packed] = heap.top();
            heap.pop();
            const SearchState from = unpack(packed);
            int32_t &settled = time_[index(from)];
            if (settled != -1)
                continue;
            settled = static_cast<int32_t>(minute);
            for (int32_t move = 0; move < MoveCodeCount; ++move) {
                SearchState to;
                const int32_t cost = moveCost(map_, from, move, to);
                if (cost >= 0 && time_[index(to)] == -1)
                    heap.emplace(minute + cost, pack(to.x, to.y, to.onFoot));
            }
        }
    }

    int32_t timeAt(int32_t x, int32_t y, int32_t layer) const
    {
        return time_[static_cast<size_t>(layer) * cells_ + static_cast<size_t>(y) * map_.width + x];
    }

private:
    static uint64_t pack(int32_t x, int32_t y, uint8_t onFoot)
    {
        return (static_cast<uint64_t>(y) << 32) | (static_cast<uint64_t>(x) << 1) | onFoot;
    }
    static SearchState unpack(uint64_t packed)
    {
        return SearchState{static_cast<int32_t>((packed & 0xffffffffu) >> 1), static_cast<int32_t>(packed >> 32),
                           static_cast<uint8_t>(packed & 1u)};
    }
    size_t index(const SearchState &state) const
    {
        return (state.onFoot ? 0 : cells_) + static_cast<size_t>(state.y) * map_.width + state.x;
    }

    const CarteVarenthe &map_;
    size_t cells_;
    std::vector<int32_t> time_;
};

struct Subject {
    std::string name;
    std::unique_ptr<CarteVarenthe> map;
    int32_t startX = 0;
    int32_t startY = 0;
};

std::vector<Subject> &subjects()
{
    static std::vector<Subject> all;
    return all;
}

void benchSearch(benchmark::State &state, Subject *subject)
{
    CarteVarenthe &map = *subject->map;
    map.routeStartX = subject->startX;
    map.routeStartY = subject->startY;
    for (auto _ : state) {
        searchRoutes(map);
        benchmark::DoNotOptimize(map.routeTime[0].data());
    }
}

void benchHeap(benchmark::State &state, Subject *subject)
{
    HeapDijkstra dijkstra(*subject->map);
    for (auto _ : state) {
        dijkstra.run(subject->startX, subject->startY);
        benchmark::DoNotOptimize(&dijkstra);
    }
}

// Before timing anything: the two searches must agree on every arrival.
bool sameArrivals(Subject &subject)
{
    CarteVarenthe &map = *subject.map;
    map.routeStartX = subject.startX;
    map.routeStartY = subject.startY;
    searchRoutes(map);
    HeapDijkstra dijkstra(map);
    dijkstra.run(subject.startX, subject.startY);
    int64_t reached = 0;
    for (int32_t layer = 0; layer < 2; ++layer)
        for (int32_t y = 0; y < map.height; ++y)
            for (int32_t x = 0; x < map.width; ++x) {
                if (map.routeTimeAt(x, y, layer) != dijkstra.timeAt(x, y, layer))
                    return false;
                reached += map.routeTimeAt(x, y, layer) != -1;
            }
    std::printf("%s: %dx%d, start %d,%d, %lld states reached, arrival times identical to the heap search\n",
                subject.name.c_str(), map.width, map.height, subject.startX, subject.startY,
                static_cast<long long>(reached));
    return true;
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// Keeps each benchmark's median to print the ratios at the end.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    struct Median {
        double real;
        double cpu;
    };
    std::map<std::string, Median> medians;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);

    const long beforeLarge = residentKiB();
    {
        Subject world{"world", makeWorld(false)};
        std::tie(world.startX, world.startY) = startNearMiddle(*world.map);
        subjects().push_back(std::move(world));
        Subject worldAll{"world_all_options", makeWorld(true)};
        std::tie(worldAll.startX, worldAll.startY) = startNearMiddle(*worldAll.map);
        subjects().push_back(std::move(worldAll));
        if (std::unique_ptr<CarteVarenthe> sample = loadSample()) {
            Subject subject{"sample_pelmorin_vr", std::move(sample)};
            std::tie(subject.startX, subject.startY) = startNearMiddle(*subject.map);
            subjects().push_back(std::move(subject));
        }
    }
    const long beforeCreate = residentKiB();
    Subject large{"large_4096", makeLarge()};
    std::tie(large.startX, large.startY) = startNearMiddle(*large.map);
    const long afterCreate = residentKiB();
    large.map->routeStartX = large.startX;
    large.map->routeStartY = large.startY;
    searchRoutes(*large.map);
    const long afterSearch = residentKiB();
    std::printf("RSS: %ld KiB at start, %ld KiB before the 4096x4096 document, %ld KiB with it, "
                "%ld KiB after a search (queue storage %zu entries)\n",
                beforeLarge, beforeCreate, afterCreate, afterSearch, BucketQueue::forThisThread().capacity());
    subjects().push_back(std::move(large));

    for (Subject &subject : subjects())
        if (!sameArrivals(subject)) {
            std::fprintf(stderr, "%s: the searches disagree\n", subject.name.c_str());
            return 1;
        }

    for (Subject &subject : subjects()) {
        const bool isLarge = subject.map->width > 1000;
        auto *search = benchmark::RegisterBenchmark(("search/" + subject.name).c_str(), benchSearch, &subject);
        auto *heap = benchmark::RegisterBenchmark(("heap_dijkstra/" + subject.name).c_str(), benchHeap, &subject);
        for (auto *b : {search, heap}) {
            // The machine may be shared: both wall-clock and processor
            // time are reported, and the ratios given for both.
            b->Unit(isLarge ? benchmark::kMillisecond : benchmark::kMicrosecond);
            b->Repetitions(isLarge ? 3 : 15)->ReportAggregatesOnly(true);
            if (isLarge)
                b->Iterations(1);
        }
    }
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const Subject &subject : subjects()) {
        const auto search = reporter.medians.find("search/" + subject.name);
        const auto heap = reporter.medians.find("heap_dijkstra/" + subject.name);
        if (search == reporter.medians.end() || heap == reporter.medians.end())
            continue;
        const char *unit = subject.map->width > 1000 ? "ms" : "us";
        std::printf("%s: median search %.3f %s wall / %.3f %s processor; heap Dijkstra %.3f %s wall / %.3f %s "
                    "processor; %.1fx faster (wall), %.1fx (processor)\n",
                    subject.name.c_str(), search->second.real, unit, search->second.cpu, unit, heap->second.real, unit,
                    heap->second.cpu, unit, heap->second.real / search->second.real,
                    heap->second.cpu / search->second.cpu);
    }
    benchmark::Shutdown();
    return 0;
}
