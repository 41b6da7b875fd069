// Picture export of the sample world at full zoom, to BMP and to PNG, with
// the time and the peak memory of each export, against the floors it is
// measured by: a memcpy of as many bytes as the bitmap holds, Qt's own PNG
// writer given the whole picture, and `gzip -1` of the bitmap. Each export
// runs in a child process, so that the peak memory reported is its own.
// Also the zlib levels and row filters the PNG writer could use.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <png.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "GeneratedWorld.h"
#include "map/CarteVarenthe.h"
#include "render/BitmapExport.h"
#include "render/PictureFormat.h"
#include "render/MapRenderer.h"
#include "render/PngExport.h"
#include "render/TileLibrary.h"
#include "route/RouteEndpoints.h"
#include "settings/ProgramFolder.h"
#include "QtBenchMain.h"

namespace {

struct ExportBench {
    ExportBench()
    {
        ProgramFolder::setPath(QStringLiteral(PELMORIN_OUTPUT_DIR));
        library.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
        world.open(PELMORIN_OUTPUT_DIR "/pelmorin.vr");
        // A route across the map, so that times and the route are drawn.
        setRouteOptions(world, false, true, false);
        setRouteEnd(world, world.width * 4 / 5, world.height * 3 / 4);
        setRouteStart(world, world.width / 5, world.height / 4);
    }
    MapView view(int zoom) const
    {
        MapView v;
        v.cellSize = MapView::cellSizeForZoom(zoom);
        v.gridGap = settings.gridGap;
        return v;
    }
    QString path(const char *name) const { return QDir::temp().filePath(QString::fromLatin1(name)); }

    TileLibrary library;
    AppSettings settings;
    CarteVarenthe world;
};

ExportBench &bench()
{
    static ExportBench instance;
    return instance;
}

// What a child used: its peak resident memory and its processor time, which
// stay true on a machine busy with other work, unlike the wall clock.
struct ChildUse {
    double peakMegabytes = 0;
    double processorSeconds = 0;
};

// Runs `work` in a child; the benchmark's time is the parent's wall clock,
// fork included (under a millisecond).
ChildUse inChild(benchmark::State &state, const std::function<bool()> &work)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work() ? 0 : 1);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        state.SkipWithError("l'export a échoué");
    auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {static_cast<double>(usage.ru_maxrss) / 1024.0, seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

void report(benchmark::State &state, const ChildUse &use, const QString &file)
{
    state.counters["pic_Mo"] = use.peakMegabytes;
    state.counters["cpu_s"] = use.processorSeconds;
    state.counters["fichier_Mo"] = static_cast<double>(QFileInfo(file).size()) / (1024.0 * 1024.0);
}

// Times `exportTo` (writing `file` with a fresh tile cache) in a child at
// every iteration and reports its memory, processor time and file size.
void measureExport(benchmark::State &state, const char *name,
                   const std::function<bool(const QString &, ScaledTileCache &)> &exportTo)
{
    ExportBench &b = bench();
    const QString file = b.path(name);
    ChildUse use;
    for (auto _ : state)
        use = inChild(state, [&] {
            ScaledTileCache tiles(b.library);
            return exportTo(file, tiles);
        });
    report(state, use, file);
}

void BM_WorldZoom100ToBmp(benchmark::State &state)
{
    ExportBench &b = bench();
    measureExport(state, "pelmorin-bench.bmp", [&](const QString &file, ScaledTileCache &tiles) {
        return ExportMapPictureAs(PictureFormat::Bmp, file, b.world, b.view(100), b.settings, tiles).ok;
    });
}

// state.range(0): zlib level; state.range(1): PNG row filters.
void BM_WorldZoom100ToPng(benchmark::State &state)
{
    ExportBench &b = bench();
    const int level = static_cast<int>(state.range(0));
    const int filters = static_cast<int>(state.range(1));
    measureExport(state, "pelmorin-bench.png", [&](const QString &file, ScaledTileCache &tiles) {
        PngRowWriter writer(level, filters);
        return ExportMapPicture(file, b.world, b.view(100), b.settings, tiles, writer).ok;
    });
}

// Qt's PNG writer at its defaults, given the whole picture rendered at once.
void BM_WorldZoom100ToPngByQt(benchmark::State &state)
{
    ExportBench &b = bench();
    measureExport(state, "pelmorin-bench-qt.png", [&](const QString &file, ScaledTileCache &tiles) {
        QImage picture(mapPictureSize(b.world, b.view(100)), QImage::Format_RGB32);
        RenderMap(picture, picture.rect(), b.view(100), b.world, b.settings, tiles);
        QImageWriter writer(file, "png");
        return writer.write(picture.convertToFormat(QImage::Format_RGB888));
    });
}

// The largest map (the benchmarks' generated 4096 x 4096 world) at zoom 100:
// a picture of 135168 pixels square, 51 Gio as a bitmap, which only the PNG
// writer can hold; its memory must stay that of a few bands.
void BM_LargestMapZoom100ToPng(benchmark::State &state)
{
    ExportBench &b = bench();
    CarteVarenthe large;
    large.create(4096, 4096, 20, 13, 1, 100);
    benchworld::paintWorld(large, 4096, 160);
    measureExport(state, "pelmorin-bench-4096.png", [&](const QString &file, ScaledTileCache &tiles) {
        return ExportMapPictureAs(PictureFormat::Png, file, large, b.view(100), b.settings, tiles).ok;
    });
    QFile::remove(b.path("pelmorin-bench-4096.png"));
}

void BM_MemcpyOfTheBitmapsBytes(benchmark::State &state)
{
    ExportBench &b = bench();
    const QSize size = mapPictureSize(b.world, b.view(100));
    const size_t bytes = size_t((size.width() * 3 + 3) / 4 * 4) * size_t(size.height());
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

void BM_Gzip1OfTheBitmap(benchmark::State &state)
{
    ExportBench &b = bench();
    const QString file = b.path("pelmorin-bench.bmp");
    if (!QFileInfo::exists(file)) {
        ScaledTileCache tiles(b.library);
        ExportMapPictureAs(PictureFormat::Bmp, file, b.world, b.view(100), b.settings, tiles);
    }
    const std::string command = "gzip -1 -c '" + file.toStdString() + "' > '" + file.toStdString() + ".gz'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("gzip a échoué");
    report(state, ChildUse{}, file + QStringLiteral(".gz"));
}

BENCHMARK(BM_WorldZoom100ToBmp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WorldZoom100ToPng)
    ->ArgsProduct({{PngRowWriter::DefaultLevel}, {PngRowWriter::DefaultFilters}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_WorldZoom100ToPngByQt)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemcpyOfTheBitmapsBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Gzip1OfTheBitmap)->Unit(benchmark::kMillisecond)->UseRealTime();
// Minutes long: once, whatever the repetitions asked for the others.
BENCHMARK(BM_LargestMapZoom100ToPng)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1)->Repetitions(1);
// The choices the writer's defaults were taken from (run with
// --benchmark_filter=Choices).
BENCHMARK(BM_WorldZoom100ToPng)
    ->Name("BM_PngChoices")
    ->ArgsProduct({{1, 3, 6}, {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_PAETH, PNG_ALL_FILTERS}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QGuiApplication>(argc, argv);
}
