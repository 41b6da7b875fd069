// Loading and saving the largest map (4096 x 4096 cells, 100,000 named
// cities) against reading and writing the same bytes raw, in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "map/CarteVarenthe.h"
#include "map/MapFileWriter.h"

namespace {

constexpr int32_t Side = 4096;
constexpr int ElementCount = 100000;

struct LargeMap {
    std::filesystem::path folder;
    std::string path;
    std::string rawPath;
    size_t size = 0;
    CarteVarenthe map;

    LargeMap()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelmorin-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        path = (folder / "large.vr").string();
        rawPath = (folder / "raw.bin").string();

        map.create(Side, Side, 20, 13, 1, 100);
        std::mt19937 random(2026);
        int32_t *cells = map.terrain.data();
        for (size_t i = 0; i < map.terrain.size(); ++i)
            cells[i] = 100 + static_cast<int32_t>(random() % 8);
        for (int i = 0; i < ElementCount; ++i) {
            const int32_t x = static_cast<int32_t>(random() % Side);
            const int32_t y = static_cast<int32_t>(random() % Side);
            map.SetCellElement(x, y, Element{ElementCity, "Ville numéro " + std::to_string(i), 0, 0, i});
        }
        for (int p = 0; p < 195; ++p)
            map.provinceNames.push_back("Province " + std::to_string(p));
        map.save(path);
        size = std::filesystem::file_size(path);
    }
    ~LargeMap()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

LargeMap &largeMap()
{
    static LargeMap instance;
    return instance;
}

void BM_RawRead(benchmark::State &state)
{
    LargeMap &large = largeMap();
    for (auto _ : state) {
        const int fd = ::open(large.path.c_str(), O_RDONLY);
        struct stat info {};
        ::fstat(fd, &info);
        std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(info.st_size)]);
        const ssize_t got = ::read(fd, buffer.get(), static_cast<size_t>(info.st_size));
        ::close(fd);
        if (got != info.st_size)
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * large.size));
}

void BM_Load(benchmark::State &state)
{
    LargeMap &large = largeMap();
    for (auto _ : state) {
        CarteVarenthe map;
        map.open(large.path);
        if (map.elements.size() != large.map.elements.size())
            state.SkipWithError("wrong element count");
        benchmark::DoNotOptimize(map.terrain.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * large.size));
}

// What every load of that map pays before reading a byte: sizing the
// document's seven grids of 4096 x 4096 cells (terrain, element index, route
// layers), which take memory only when first used.
void BM_MakeGrids(benchmark::State &state)
{
    for (auto _ : state) {
        CarteVarenthe map;
        map.reset(Side, Side, 2, 0);
        benchmark::DoNotOptimize(map.terrain.data());
    }
}

void BM_RawWrite(benchmark::State &state)
{
    LargeMap &large = largeMap();
    const EncodedMapFile bytes = encodeMapFile(large.map, 0);
    for (auto _ : state) {
        const int fd = ::open(large.rawPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const ssize_t written = ::write(fd, bytes.bytes.get(), bytes.size);
        ::close(fd);
        if (written != static_cast<ssize_t>(bytes.size))
            state.SkipWithError("short write");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * large.size));
}

// The same raw write made durable, as a save must be before it replaces
// the old file.
void BM_RawWriteFsync(benchmark::State &state)
{
    LargeMap &large = largeMap();
    const EncodedMapFile bytes = encodeMapFile(large.map, 0);
    for (auto _ : state) {
        const int fd = ::open(large.rawPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const ssize_t written = ::write(fd, bytes.bytes.get(), bytes.size);
        ::fsync(fd);
        ::close(fd);
        if (written != static_cast<ssize_t>(bytes.size))
            state.SkipWithError("short write");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * large.size));
}

void BM_Save(benchmark::State &state)
{
    LargeMap &large = largeMap();
    const std::string target = (large.folder / "saved.vr").string();
    for (auto _ : state)
        large.map.save(target);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * large.size));
}

} // namespace

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MakeGrids)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawWriteFsync)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
