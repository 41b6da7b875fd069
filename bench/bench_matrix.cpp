// The travel times between all the cities of the sample world: the matrix
// runner in this process with one thread and with one per core, `matrix` as
// a script starts it (one process, one thread or all cores), against what a
// script had to do before, one `route` process per start city (plain, and
// with the grids that carry the times to the other cities). Prints the
// medians and the speed-ups.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "route/MatrixRunner.h"
#include "route/RouteEndpoints.h"

extern char **environ;

namespace {

const std::string Cli = PELMORIN_OUTPUT_DIR "/pelmorin-cli";
const std::string Sample = PELMORIN_OUTPUT_DIR "/pelmorin.vr";

CarteVarenthe sample;
std::vector<MatrixCell> cities;

// Runs the command line with its answer thrown away, as fast as a script's
// loop could; false when it did not end with status 0.
bool runQuietly(std::vector<std::string> words)
{
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return failed == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void benchRunner(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(runTravelMatrix(sample, cities, static_cast<unsigned>(state.range(0))));
}

void benchMatrixProcess(benchmark::State &state)
{
    for (auto _ : state)
        if (!runQuietly({Cli, "matrix", Sample, "--jobs", std::to_string(state.range(0))}))
            state.SkipWithError("matrix failed");
}

void benchRouteProcesses(benchmark::State &state)
{
    for (auto _ : state)
        for (const MatrixCell &city : cities) {
            std::vector<std::string> words{Cli, "route", Sample, "--from", std::to_string(city.x) + "," + std::to_string(city.y)};
            if (state.range(0))
                words.push_back("--grids");
            if (!runQuietly(words)) {
                state.SkipWithError("route failed");
                break;
            }
        }
}

class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    try {
        sample.open(Sample);
    } catch (const MapError &error) {
        std::fprintf(stderr, "%s : %s\n", Sample.c_str(), error.what());
        return 1;
    }
    setRouteOptions(sample, false, false, false);
    for (const Element &element : sample.elements)
        if (element.kind == ElementCity)
            cities.push_back({element.x, element.y});
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::printf("%zu cities, %d cores\n", cities.size(), cores);

    std::vector<benchmark::internal::Benchmark *> all;
    all.push_back(benchmark::RegisterBenchmark("runner", benchRunner)->Arg(1)->Arg(cores));
    all.push_back(benchmark::RegisterBenchmark("matrix_process", benchMatrixProcess)->Arg(1)->Arg(cores));
    all.push_back(benchmark::RegisterBenchmark("route_processes", benchRouteProcesses)->Arg(0)->Arg(1)->Iterations(1));
    for (auto *b : all)
        b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto median = [&reporter](const std::string &name) {
        const auto found = reporter.medians.find(name);
        return found == reporter.medians.end() ? 0.0 : found->second;
    };
    const std::string allCores = std::to_string(cores);
    const double runner1 = median("runner/1"), runnerN = median("runner/" + allCores);
    const double matrix1 = median("matrix_process/1");
    const double matrixN = median("matrix_process/" + allCores);
    const double routes = median("route_processes/0");
    const double routesGrids = median("route_processes/1");
    if (runner1 > 0 && runnerN > 0 && matrix1 > 0 && matrixN > 0 && routes > 0 && routesGrids > 0) {
        std::printf("runner: %.1f ms with 1 thread, %.1f ms with %d: %.2fx\n", runner1, runnerN, cores, runner1 / runnerN);
        std::printf("matrix: %.1f ms --jobs 1, %.1f ms --jobs %d: %.2fx\n", matrix1, matrixN, cores, matrix1 / matrixN);
        std::printf("%zu route processes: %.0f ms (%.0f ms with --grids); matrix --jobs 1 %.1fx faster "
                    "(%.1fx), --jobs %d %.1fx (%.1fx)\n",
                    cities.size(), routes, routesGrids, routes / matrix1, routesGrids / matrix1, cores,
                    routes / matrixN, routesGrids / matrixN);
    }
    benchmark::Shutdown();
    return 0;
}
