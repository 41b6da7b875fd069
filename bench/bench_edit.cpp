// A flood fill of the largest map, all one terrain, and taking it back,
// against one memset over the same terrain in the same run; and one step of
// a paint stroke in a map window over the largest map, repaint included.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <cstring>
#include <memory>

#include "map/CarteVarenthe.h"
#include "map/EditReport.h"
#include "map/Fills.h"
#include "settings/ProgramFolder.h"
#include "ui/TMapForm.h"
#include "BenchMapHost.h"
#include "QtBenchMain.h"

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

// A shown 1280 x 800 map window over a 4096 x 4096 map of grass, at full
// size, its minimap picture made.
struct PaintScene {
    PaintScene()
    {
        ProgramFolder::setPath(QStringLiteral(PELMORIN_OUTPUT_DIR));
        host.tiles.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
        auto map = std::make_unique<CarteVarenthe>();
        map->create(Side, Side, 20, 13, 1, Grass);
        form = std::make_unique<TMapForm>(host, std::move(map));
        form->resize(1280, 800);
        form->show();
        QCoreApplication::processEvents();
        form->Timer1->stop();
        form->centreOnCell(Side / 2, Side / 2);
        form->Timer1Timer();
        form->repaint();
        form->overview();
    }
    BenchMapHost host{{1280, 800}, 110};
    std::unique_ptr<TMapForm> form;
};

PaintScene &paintScene()
{
    return sharedScene<PaintScene>();
}

// One mouse event of a stroke, one cell on: the cell painted, the roads
// around it joined, the changed cells drawn into the back buffer, copied to
// the window and to the minimap's picture. Strokes go back and forth along
// one row, a road one way and grass over it the other, so that every event
// changes the map; each ends as one undo step at its release.
void BM_StrokeStep(benchmark::State &state)
{
    PaintScene &scene = paintScene();
    TMapForm &form = *scene.form;
    const int pitch = form.cellPitch();
    const int y = 400;
    int column = 2;
    int direction = 1;
    auto x = [&] { return column * pitch + pitch / 2; };
    const int stepsBefore = form.undoStack()->count();
    form.FormMouseDown(Qt::LeftButton, Qt::LeftButton, x(), y);
    for (auto _ : state) {
        if (column + direction < 2 || column + direction > 35) {
            state.PauseTiming();
            form.FormMouseUp(Qt::LeftButton, x(), y);
            direction = -direction;
            scene.host.leftTile = scene.host.leftTile == 110 ? Grass : 110;
            form.FormMouseDown(Qt::LeftButton, Qt::LeftButton, x(), y);
            state.ResumeTiming();
        }
        column += direction;
        form.FormMouseMove(Qt::LeftButton, x(), y);
    }
    form.FormMouseUp(Qt::LeftButton, x(), y);
    if (form.undoStack()->count() == stepsBefore && state.iterations() > 40)
        state.SkipWithError("the strokes made no step");
}

// One mouse event late in a long stroke: a road drawn row after row, back
// and forth, never released, so that the stroke's report keeps growing. A
// step must cost the same at the ten-thousandth cell as at the first.
void BM_LongStrokeStep(benchmark::State &state)
{
    PaintScene &scene = paintScene();
    TMapForm &form = *scene.form;
    scene.host.leftTile = 110;
    const int pitch = form.cellPitch();
    const int left = -form.scrollX();
    const int top = -form.scrollY();
    int column = 0;
    int row = 0;
    int direction = 1;
    auto press = [&] { form.FormMouseDown(Qt::LeftButton, Qt::LeftButton, left + pitch / 2, top + pitch / 2); };
    press();
    int64_t cells = 0;
    for (auto _ : state) {
        if (column + direction < 0 || column + direction >= Side)
            direction = -direction, ++row;
        else
            column += direction;
        form.FormMouseMove(Qt::LeftButton, left + column * pitch + pitch / 2, top + row * pitch + pitch / 2);
        ++cells;
    }
    form.FormMouseUp(Qt::LeftButton, left + column * pitch + pitch / 2, top + row * pitch + pitch / 2);
    state.counters["cells"] = static_cast<double>(cells);
    form.undoStack()->clear();
}

} // namespace

BENCHMARK(BM_MemsetTerrain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FloodFill)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FloodFillUndo)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StrokeStep)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_LongStrokeStep)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(20000);

int main(int argc, char **argv)
{
    return runQtBenchmarks<QApplication, PaintScene>(argc, argv);
}
