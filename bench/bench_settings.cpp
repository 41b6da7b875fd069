// Start-up and exit with a 20 MB settings file: a file that grew by hand or
// by a script (thousands of old map sections, stray lines) must not make
// every key read cost a pass over the whole file.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "settings/AppSettings.h"
#include "settings/AspectList.h"
#include "settings/ConfigFile.h"
#include "settings/ConfigOpenMaps.h"
#include "settings/SettingsStore.h"
#include "QtBenchMain.h"

namespace {

class QuietHost : public SettingsHost {
public:
    void addAspectMenuItem(const QString &) override {}
    void selectAspectFolder(const QString &folder) override { aspect = folder; }
    QString aspectFolder() const override { return aspect; }
    void setCityListTicked(bool) override {}
    bool cityListTicked() const override { return false; }
    void setMinimapTicked(bool) override {}
    bool minimapTicked() const override { return true; }
    void resizeWindow(int, int) override {}
    void moveWindow(int, int) override {}
    void maximiseWindow() override {}
    QRect windowFrame() const override { return QRect(10, 10, 800, 600); }
    bool windowMaximised() const override { return false; }

    QString aspect;
};

// About 20 MB: the usual sections, each after a long run of sections and
// lines the program does not read, and old keys in "Affichage" itself.
QByteArray largeSettingsFile()
{
    QByteArray text;
    text.reserve(21 << 20);
    text += "[Cartes Ouvertes]\r\nCarte 0=pelmorin.vr\r\n[Carte 0]\r\nx=169\r\ny=58\r\nEchelle=100\r\n";
    for (int i = 0; i < 130000; ++i)
        text += "[Ancienne carte " + QByteArray::number(i) + "]\r\nx=12\r\ny=40\r\nEchelle=50\r\nEtat Fenetre=0\r\n";
    text += "[Aspects]\r\nEt\xe9=.\\img\\1\\\r\nHiver=.\\img\\4\\\r\n[Affichage]\r\n";
    for (int i = 0; i < 270000; ++i)
        text += "Ancienne cl\xe9 " + QByteArray::number(i) + "=une valeur qui ne sert plus\r\n";
    text += "Grille=1\r\nAfficher Temps=1\r\nPolice Temps=Arial\r\nTaille Temps=7\r\n";
    text += "[Recherche de Chemin]\r\nDon Ailes=0\r\n[Fenetre]\r\nLargeur=800\r\nHauteur=600\r\nx=10\r\ny=10\r\n";
    return text;
}

// The settings as the main window holds them once read from `path`.
struct LoadedSettings {
    explicit LoadedSettings(const QString &path)
        : config(path, QLocale(QLocale::French, QLocale::France)), store(config, settings, aspects, host)
    {
        store.LoadSettings();
    }
    ConfigFile config;
    AppSettings settings;
    AspectList aspects;
    QuietHost host;
    SettingsStore store;
};

// The large file, as the last exit wrote it a minute ago; its size.
qint64 writeLargeSettingsFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const qint64 size = file.write(largeSettingsFile());
    file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    return size;
}

void BM_StartWithLargeSettingsFile(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("pelmorin.cfg"));
    const qint64 size = writeLargeSettingsFile(path);
    for (auto _ : state) {
        // What the main window does from its construction to its first
        // activation: the settings pass, then the list of maps to reopen.
        LoadedSettings loaded(path);
        int reopened = 0;
        for (const ConfigEntry &entry : readOpenMapList(loaded.config))
            reopened += readMapWindowPlacement(loaded.config, entry.key).zoomPercent;
        benchmark::DoNotOptimize(reopened);
        benchmark::DoNotOptimize(loaded.settings.gridGap);
    }
    state.counters["Mo"] = static_cast<double>(size) / (1 << 20);
}
BENCHMARK(BM_StartWithLargeSettingsFile)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

void BM_ExitWithLargeSettingsFile(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("pelmorin.cfg"));
    writeLargeSettingsFile(path);
    LoadedSettings loaded(path);
    // The file as an earlier exit left it: every key there.
    loaded.store.SaveSettings();
    for (auto _ : state) {
        // What the main window writes when it closes and is destroyed; the
        // list of open maps changes, one setting too.
        loaded.settings.showTimes = !loaded.settings.showTimes;
        writeOpenMapList(loaded.config, {OpenMapRecord{false, QStringLiteral("pelmorin.vr"), {}},
                                         OpenMapRecord{false, QStringLiteral("ville.vr"), {}}});
        loaded.store.SaveSettings();
    }
}
BENCHMARK(BM_ExitWithLargeSettingsFile)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QGuiApplication>(argc, argv);
}
