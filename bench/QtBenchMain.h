#pragma once
// What the benchmarks that need Qt share: they run headless (offscreen
// unless the environment says otherwise) inside an application object, and
// a scene kept between runs (a window, a map) is made on first use and goes
// before the application does.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <memory>

template <class Scene>
std::unique_ptr<Scene> &sceneHolder()
{
    static std::unique_ptr<Scene> scene;
    return scene;
}

template <class Scene>
Scene &sharedScene()
{
    std::unique_ptr<Scene> &scene = sceneHolder<Scene>();
    if (!scene)
        scene = std::make_unique<Scene>();
    return *scene;
}

// Runs the benchmarks asked for on the command line, shown through
// `reporter` when one is given, then releases the scenes named.
template <class Application, class... Scenes>
int runQtBenchmarks(int argc, char **argv, benchmark::BenchmarkReporter *reporter = nullptr)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks(reporter);
    benchmark::Shutdown();
    (sceneHolder<Scenes>().reset(), ...);
    return 0;
}
