// A flood fill of the largest map, all one terrain, and taking it back,
// against one memset over the same terrain in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "map/CarteVarenthe.h"
#include "map/EditReport.h"
#include "map/Fills.h"

namespace {

constexpr int32_t Side = 4096;
constexpr int32_t Grass = 100;
constexpr int32_t Sand = 101;

// A map whose terrain already has its memory, as one being edited has.
CarteVarenthe &uniformMap()
{
    static CarteVarenthe map = [] {
        CarteVarenthe fresh;
        fresh.create(Side, Side, 20, 13, 1, Grass);
        std::fill_n(fresh.terrain.data(), fresh.terrain.size(), Grass);
        return fresh;
    }();
    return map;
}

int32_t otherTerrain(const CarteVarenthe &map) { return map.terrainAt(0, 0) == Grass ? Sand : Grass; }

void BM_MemsetTerrain(benchmark::State &state)
{
    CarteVarenthe &map = uniformMap();
    int32_t *cells = map.terrain.data();
    const size_t bytes = map.terrain.size() * sizeof(int32_t);
    for (auto _ : state) {
        std::memset(cells, 0, bytes);
        benchmark::ClobberMemory();
    }
    // Leave the map one terrain for the fills.
    std::fill_n(cells, map.terrain.size(), Grass);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_FloodFill(benchmark::State &state)
{
    CarteVarenthe &map = uniformMap();
    for (auto _ : state) {
        const EditReport report = FloodFill(map, Side / 2, Side / 2, otherTerrain(map));
        if (report.changeCount() != map.terrain.size())
            state.SkipWithError("the fill missed cells");
        benchmark::DoNotOptimize(report.cells().data());
    }
}

void BM_FloodFillUndo(benchmark::State &state)
{
    CarteVarenthe &map = uniformMap();
    for (auto _ : state) {
        state.PauseTiming();
        const int32_t before = map.terrainAt(0, 0);
        const EditReport report = FloodFill(map, 0, 0, otherTerrain(map));
        state.ResumeTiming();
        report.undo(map);
        benchmark::ClobberMemory();
        if (map.terrainAt(Side - 1, Side - 1) != before)
            state.SkipWithError("the undo missed cells");
    }
}

} // namespace

BENCHMARK(BM_MemsetTerrain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FloodFill)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FloodFillUndo)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
