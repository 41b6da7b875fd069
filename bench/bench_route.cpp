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

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "route/BucketQueue.h"
#include "route/MoveRules.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"

namespace {

// Smooth random relief: bilinear value noise over a few octaves.
class Relief {
public:
    Relief(uint32_t seed, int32_t cellsPerKnot) : cellsPerKnot_(cellsPerKnot)
    {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        knots_.resize(KnotSide * KnotSide);
        for (double &knot : knots_)
            knot = unit(random);
    }

    double at(int32_t x, int32_t y) const
    {
        double sum = 0;
        double weight = 1;
        double total = 0;
        int32_t span = cellsPerKnot_;
        for (int octave = 0; octave < 4 && span >= 1; ++octave) {
            sum += weight * sample(x, y, span, octave);
            total += weight;
            weight *= 0.5;
            span /= 2;
        }
        return sum / total;
    }

private:
    static constexpr int KnotSide = 257;

    double knot(int32_t kx, int32_t ky, int octave) const
    {
        const uint32_t i = static_cast<uint32_t>(kx * 31 + octave * 977) % KnotSide;
        const uint32_t j = static_cast<uint32_t>(ky * 17 + octave * 613) % KnotSide;
        return knots_[j * KnotSide + i];
    }

    double sample(int32_t x, int32_t y, int32_t span, int octave) const
    {
        const int32_t kx = x / span;
        const int32_t ky = y / span;
        const double fx = static_cast<double>(x % span) / span;
        const double fy = static_cast<double>(y % span) / span;
        const double top = knot(kx, ky, octave) * (1 - fx) + knot(kx + 1, ky, octave) * fx;
        const double bottom = knot(kx, ky + 1, octave) * (1 - fx) + knot(kx + 1, ky + 1, octave) * fx;
        return top * (1 - fy) + bottom * fy;
    }

    int32_t cellsPerKnot_;
    std::vector<double> knots_;
};

bool isWater(int32_t code) { return code == 103 || code == 104; }

// A plausible world: seas with sandy coasts and harbours (code 1), grass,
// forests, mountains with snow, rivers running down to the sea, roads
// between towns, and town buildings (codes of 128 and above).
void paintWorld(CarteVarenthe &map, uint32_t seed, int32_t cellsPerKnot)
{
    const Relief height(seed, cellsPerKnot);
    const Relief wood(seed + 1, std::max(2, cellsPerKnot / 2));
    std::mt19937 random(seed + 2);
    const int32_t w = map.width;
    const int32_t h = map.height;
    for (int32_t y = 0; y < h; ++y) {
        int32_t *row = map.terrain.row(y);
        for (int32_t x = 0; x < w; ++x) {
            const double e = height.at(x, y);
            int32_t code = 100;
            if (e < 0.42)
                code = 103;
            else if (e < 0.45)
                code = 106;
            else if (e > 0.70)
                code = 107;
            else if (e > 0.62)
                code = 105;
            else if (wood.at(x, y) > 0.6)
                code = 101 + (x + y) % 2;
            row[x] = code;
        }
    }
    std::uniform_int_distribution<int32_t> column(0, w - 1);
    std::uniform_int_distribution<int32_t> line(0, h - 1);
    // Harbours on the beaches that touch the sea.
    for (int32_t y = 1; y + 1 < h; ++y)
        for (int32_t x = 1; x + 1 < w; ++x)
            if (map.terrain.at(x, y) == 106 && (random() % 8) == 0 &&
                (map.terrain.at(x + 1, y) == 103 || map.terrain.at(x - 1, y) == 103 ||
                 map.terrain.at(x, y + 1) == 103 || map.terrain.at(x, y - 1) == 103))
                map.terrain.at(x, y) = 1;
    // Rivers: from high ground, always down to the lowest neighbour.
    const int64_t riverCount = static_cast<int64_t>(w) * h / 1500 + 4;
    for (int64_t r = 0; r < riverCount; ++r) {
        int32_t x = column(random);
        int32_t y = line(random);
        if (height.at(x, y) < 0.55)
            continue;
        for (int32_t length = 0; length < w + h && !isWater(map.terrain.at(x, y)); ++length) {
            map.terrain.at(x, y) = 104;
            int32_t bestX = x, bestY = y;
            double best = 2;
            for (int32_t d = 0; d < 4; ++d) {
                const int32_t nx = x + MoveDx[d], ny = y + MoveDy[d];
                if (!map.contains(nx, ny) || map.terrain.at(nx, ny) == 104)
                    continue;
                const double e = height.at(nx, ny) + 0.002 * (random() % 8);
                if (e < best) {
                    best = e;
                    bestX = nx;
                    bestY = ny;
                }
            }
            if (bestX == x && bestY == y)
                break;
            x = bestX;
            y = bestY;
        }
    }
    // Towns joined by roads (bridges over rivers), with a few buildings.
    std::vector<std::pair<int32_t, int32_t>> towns;
    const int64_t townCount = static_cast<int64_t>(w) * h / 1200 + 6;
    while (static_cast<int64_t>(towns.size()) < townCount) {
        const int32_t x = column(random), y = line(random);
        const int32_t code = map.terrain.at(x, y);
        if (code == 100 || code == 101 || code == 102)
            towns.emplace_back(x, y);
    }
    for (size_t t = 1; t < towns.size(); ++t) {
        auto [x, y] = towns[t - 1];
        const auto [toX, toY] = towns[t];
        if (std::abs(toX - x) + std::abs(toY - y) > 120)
            continue;
        while (x != toX || y != toY) {
            const int32_t code = map.terrain.at(x, y);
            if (code == 104)
                map.terrain.at(x, y) = 121;
            else if (code != 103 && code != 1 && code < 110)
                map.SetCellTile(x, y, 110);
            if (x != toX)
                x += x < toX ? 1 : -1;
            else
                y += y < toY ? 1 : -1;
        }
    }
    for (const auto &[x, y] : towns) {
        map.terrain.at(x, y) = 145 + static_cast<int32_t>(random() % 3);
        if (map.contains(x + 1, y) && map.terrain.at(x + 1, y) == 100)
            map.terrain.at(x + 1, y) = 132;
    }
}

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
