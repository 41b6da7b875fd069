// Speed of the map renderer and the bitmap export, against the floor of a
// plain memcpy of one 1920 x 1080 32-bit frame measured in the same run:
// a full view at zoom 100 with a route and times, a full view at zoom 5 with
// every cell reached, one smooth-scrolling step of 33 pixels, and the export
// of the sample world map at zoom 100 (with the process's peak memory).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "map/CarteVarenthe.h"
#include "settings/AppSettings.h"
#include "render/BitmapExport.h"
#include "render/PictureFormat.h"
#include "RenderStrips.h"
#include "render/MapRenderer.h"
#include "render/MapView.h"
#include "render/ScaledTileCache.h"
#include "render/TileLibrary.h"
#include "route/RouteEndpoints.h"
#include "settings/ProgramFolder.h"
#include "QtBenchMain.h"

namespace {

constexpr int FrameWidth = 1920;
constexpr int FrameHeight = 1080;

// A stand-in for the sample world map when the program's folder has none:
// the world's size and provinces, varied terrain, names and a few zones.
void makeStandInWorld(CarteVarenthe &map)
{
    map.create(300, 169, 20, 13, 1, 100);
    uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    const int32_t terrains[] = {100, 100, 100, 101, 102, 103, 103, 105, 106, 107};
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            map.terrain.at(x, y) = terrains[next() % 10];
    for (int32_t i = 0; i < map.provinceLayoutCount(); ++i)
        map.provinceNames.push_back("Province " + std::to_string(i));
    for (int32_t i = 0; i < 200; ++i) {
        Element zone;
        zone.kind = ElementZone;
        zone.number = 253 + static_cast<int32_t>(next() % 4);
        map.SetCellElement(static_cast<int32_t>(next() % 300), static_cast<int32_t>(next() % 169), zone);
    }
}

struct RenderBench {
    RenderBench()
    {
        ProgramFolder::setPath(QStringLiteral(PELMORIN_OUTPUT_DIR));
        library.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
        const QString sample = QStringLiteral(PELMORIN_OUTPUT_DIR "/pelmorin.vr");
        if (QFileInfo::exists(sample)) {
            world.open(sample.toStdString());
            worldSource = "carte d'exemple";
        } else {
            makeStandInWorld(world);
            worldSource = "carte de remplacement";
        }
        // A route across the map; embarking lets the search reach the sea.
        setRouteOptions(world, false, true, false);
        setRouteEnd(world, world.width * 4 / 5, world.height * 3 / 4);
        setRouteStart(world, world.width / 5, world.height / 4);

        // A map that fills a 1920 x 1080 window at pitch 2, every cell reached
        // in both layers with times of every size.
        crowded.create(FrameWidth / 2, FrameHeight / 2, 20, 13, 1, 100);
        for (int32_t y = 0; y < crowded.height; ++y) {
            for (int32_t x = 0; x < crowded.width; ++x) {
                crowded.routeTime[OnFoot].at(x, y) = (x * 7 + y * 13) % 9000;
                crowded.routeTime[Afloat].at(x, y) = (x * 11 + y * 3) % 700;
            }
        }
        settings.showTimes = true;
        std::fprintf(stderr, "Monde : %s, %d x %d cases, itinéraire de %d minutes\n", worldSource.c_str(),
                     world.width, world.height, world.routeTotalTime);
    }

    MapView view(int zoom, int scrollX, int scrollY) const
    {
        MapView v;
        v.cellSize = MapView::cellSizeForZoom(zoom);
        v.gridGap = settings.gridGap;
        v.scrollX = scrollX;
        v.scrollY = scrollY;
        return v;
    }

    TileLibrary library;
    CarteVarenthe world;
    CarteVarenthe crowded;
    AppSettings settings;
    std::string worldSource;
};

RenderBench &bench()
{
    static RenderBench instance;
    return instance;
}

void BM_MemcpyFrame(benchmark::State &state)
{
    std::vector<uint32_t> from(size_t(FrameWidth) * FrameHeight, 0xFF203040u);
    std::vector<uint32_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

void BM_FullViewZoom100RouteAndTimes(benchmark::State &state)
{
    RenderBench &b = bench();
    ScaledTileCache tiles(b.library);
    QImage frame(FrameWidth, FrameHeight, QImage::Format_RGB32);
    // Over the start of the route, where times and the route are drawn.
    const MapView view = b.view(100, (b.world.width / 5) * 33 - FrameWidth / 2,
                                (b.world.height / 4) * 33 - FrameHeight / 2);
    RenderMap(frame, frame.rect(), view, b.world, b.settings, tiles); // tiles stretched once
    for (auto _ : state) {
        RenderMap(frame, frame.rect(), view, b.world, b.settings, tiles);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void BM_FullViewZoom5EveryCellReached(benchmark::State &state)
{
    RenderBench &b = bench();
    ScaledTileCache tiles(b.library);
    QImage frame(FrameWidth, FrameHeight, QImage::Format_RGB32);
    const MapView view = b.view(5, 0, 0);
    RenderMap(frame, frame.rect(), view, b.crowded, b.settings, tiles); // labels made once
    for (auto _ : state) {
        RenderMap(frame, frame.rect(), view, b.crowded, b.settings, tiles);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

// The sample world map itself at zoom 5: the whole map fits in the window
// (600 x 338 pixels of it), every cell the search reached showing its times.
void BM_WorldZoom5WholeMap(benchmark::State &state)
{
    RenderBench &b = bench();
    ScaledTileCache tiles(b.library);
    QImage frame(FrameWidth, FrameHeight, QImage::Format_RGB32);
    const MapView view = b.view(5, 0, 0);
    RenderMap(frame, frame.rect(), view, b.world, b.settings, tiles);
    for (auto _ : state) {
        RenderMap(frame, frame.rect(), view, b.world, b.settings, tiles);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

// One tick of smooth scrolling at zoom 100: only the strips that came into
// view are rendered.
void BM_ScrollStep33ExposedStrips(benchmark::State &state)
{
    RenderBench &b = bench();
    ScaledTileCache tiles(b.library);
    const QSize client(FrameWidth, FrameHeight);
    QImage buffer(client, QImage::Format_RGB32);
    MapView view = b.view(100, 1000, 800);
    RenderMap(buffer, buffer.rect(), view, b.world, b.settings, tiles);
    int step = 33;
    for (auto _ : state) {
        view.scrollX += step;
        step = -step; // back and forth over the same ground
        const QRect valid = step < 0 ? QRect(0, 0, FrameWidth - 33, FrameHeight)
                                     : QRect(33, 0, FrameWidth - 33, FrameHeight);
        renderExposedStrips(buffer, client, valid, view, b.world, b.settings, tiles);
        benchmark::DoNotOptimize(buffer.constBits());
    }
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void BM_ExportWorldZoom100(benchmark::State &state)
{
    RenderBench &b = bench();
    ScaledTileCache tiles(b.library);
    const MapView view = b.view(100, 0, 0);
    const QString path = QDir::temp().filePath(QStringLiteral("pelmorin-bench-export.bmp"));
    for (auto _ : state) {
        const BitmapExportResult result = ExportMapPictureAs(PictureFormat::Bmp, path, b.world, view, b.settings, tiles);
        if (!result.ok)
            state.SkipWithError(result.error.toStdString().c_str());
    }
    const QSize size = mapPictureSize(b.world, view);
    state.counters["largeur"] = size.width();
    state.counters["hauteur"] = size.height();
    state.counters["pic_memoire_Mo"] = static_cast<double>(peakMegabytes());
    QFile::remove(path);
}

// Measured first, so that the peak memory it reports is the export's and
// the set-up's, not the other benchmarks'.
BENCHMARK(BM_ExportWorldZoom100)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullViewZoom100RouteAndTimes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullViewZoom5EveryCellReached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorldZoom5WholeMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollStep33ExposedStrips)->Unit(benchmark::kMillisecond);

// Prints each benchmark's median (or mean without repetitions) as a multiple
// of the memcpy's, after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single)
                times_[run.run_name.function_name] = run.GetAdjustedRealTime()
                                                      / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto floor = times_.find("BM_MemcpyFrame");
        if (floor == times_.end() || floor->second <= 0)
            return;
        std::printf("\nRapport au memcpy d'une image 1920 x 1080 (%.3f ms) :\n", floor->second * 1e3);
        for (const auto &[name, seconds] : times_)
            std::printf("  %-36s %10.3f ms  %7.2f x memcpy\n", name.c_str(), seconds * 1e3, seconds / floor->second);
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char **argv)
{
    RatioReporter reporter;
    return runQtBenchmarks<QGuiApplication>(argc, argv, &reporter);
}
