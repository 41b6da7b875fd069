// Smooth scrolling of a maximised map window (1920 x 1080) over the sample
// world map at full size: one timer tick during a drag against what it is
// made of (rendering the two exposed strips, one copy of the window to the
// screen) and against redrawing the whole window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <vector>

#include "map/CarteVarenthe.h"
#include "settings/AppSettings.h"
#include "RenderStrips.h"
#include "render/MapRenderer.h"
#include "render/ScaledTileCache.h"
#include "render/TileLibrary.h"
#include "BenchMapHost.h"
#include "ui/TMapForm.h"
#include "settings/ProgramFolder.h"
#include "QtBenchMain.h"

namespace {

constexpr int ClientWidth = 1920;
constexpr int ClientHeight = 1080;
// One mouse event of a brisk drag: 10 by 5 mouse pixels at speed 1.8.
constexpr int StepX = 18;
constexpr int StepY = 9;

// One copy of a whole 1920 x 1080 picture to a window on screen.
class PictureWindow : public QWidget {
public:
    explicit PictureWindow(const QImage &picture) : picture_(picture)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(picture.size());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture_);
    }

private:
    QImage picture_;
};

struct Scene {
    Scene()
    {
        ProgramFolder::setPath(QStringLiteral(PELMORIN_OUTPUT_DIR));
        host.tiles.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
        auto map = std::make_unique<CarteVarenthe>();
        try {
            map->open(PELMORIN_OUTPUT_DIR "/pelmorin.vr");
        } catch (...) {
            map->create(300, 169, 20, 13, 1, 100);
        }
        form = std::make_unique<TMapForm>(host, std::move(map));
        form->resize(ClientWidth, ClientHeight);
        form->show();
        QCoreApplication::processEvents();
        form->Timer1->stop();
        form->centreOnCell(150, 84);
        form->Timer1Timer();
        form->repaint();
    }

    // The next position of a drag that sweeps back and forth over the map.
    void dragStep()
    {
        if (form->scrollX() + directionX * StepX < 0 || form->scrollX() + directionX * StepX > form->scrollMaximumX())
            directionX = -directionX;
        if (form->scrollY() + directionY * StepY < 0 || form->scrollY() + directionY * StepY > form->scrollMaximumY())
            directionY = -directionY;
        form->setScrollX(form->scrollX() + directionX * StepX);
        form->setScrollY(form->scrollY() + directionY * StepY);
    }

    // The window that the copies are timed on: made once, so that every
    // run copies to the same window as the map window does.
    PictureWindow &copyWindow()
    {
        if (!pictureWindow) {
            pictureWindow = std::make_unique<PictureWindow>(form->backBuffer().copy(0, 0, ClientWidth, ClientHeight));
            pictureWindow->show();
            QCoreApplication::processEvents();
        }
        return *pictureWindow;
    }

    BenchMapHost host{{ClientWidth, ClientHeight}};
    std::unique_ptr<TMapForm> form;
    std::unique_ptr<PictureWindow> pictureWindow;
    int directionX = 1;
    int directionY = 1;
};

Scene &scene()
{
    return sharedScene<Scene>();
}

MapView viewOf(const TMapForm &form)
{
    MapView view;
    view.cellSize = form.cellSize();
    view.gridGap = form.gridGap();
    view.scrollX = form.scrollX();
    view.scrollY = form.scrollY();
    return view;
}

// One tick of the window's timer during the drag: shift, two strips, copy.
void BM_DragTick(benchmark::State &state)
{
    Scene &s = scene();
    for (auto _ : state) {
        // The mouse move: new positions, and the scroll bars show them.
        state.PauseTiming();
        s.dragStep();
        s.form->ScrollBar1->repaint();
        s.form->ScrollBar2->repaint();
        state.ResumeTiming();
        s.form->Timer1Timer();
    }
}
BENCHMARK(BM_DragTick)->Unit(benchmark::kMicrosecond);

// The strips alone, rendered into a back buffer of the same size.
void BM_ExposedStripsOnly(benchmark::State &state)
{
    Scene &s = scene();
    QImage buffer(ClientWidth, ClientHeight, QImage::Format_RGB32);
    buffer.fill(Qt::black);
    ScaledTileCache tiles(s.host.tiles);
    const QSize client(ClientWidth, ClientHeight);
    // The valid rectangle a (+18, +9) step leaves.
    const QRect valid(0, 0, ClientWidth - StepX, ClientHeight - StepY);
    for (auto _ : state) {
        s.dragStep();
        renderExposedStrips(buffer, client, valid, viewOf(*s.form), s.form->document(), s.host.appSettings, tiles);
        benchmark::DoNotOptimize(buffer.constBits());
    }
}
BENCHMARK(BM_ExposedStripsOnly)->Unit(benchmark::kMicrosecond);

void BM_WindowCopy(benchmark::State &state)
{
    Scene &s = scene();
    PictureWindow &window = s.copyWindow();
    for (auto _ : state) {
        // As in a drag: the scroll bars show the new position first.
        state.PauseTiming();
        s.dragStep();
        s.form->ScrollBar1->repaint();
        s.form->ScrollBar2->repaint();
        state.ResumeTiming();
        window.repaint();
    }
}
BENCHMARK(BM_WindowCopy)->Unit(benchmark::kMicrosecond);

// What a tick would cost if it redrew the whole window.
void BM_FullWindowRender(benchmark::State &state)
{
    Scene &s = scene();
    QImage buffer(ClientWidth, ClientHeight, QImage::Format_RGB32);
    ScaledTileCache tiles(s.host.tiles);
    for (auto _ : state) {
        s.dragStep();
        RenderMap(buffer, buffer.rect(), viewOf(*s.form), s.form->document(), s.host.appSettings, tiles);
        benchmark::DoNotOptimize(buffer.constBits());
    }
}
BENCHMARK(BM_FullWindowRender)->Unit(benchmark::kMicrosecond);

// The machine's speed may drift while the benchmarks above run one after
// the other; here the three are timed in turns, in the same stretch of time,
// so that their medians compare fairly.
void BM_TickAgainstParts(benchmark::State &state)
{
    Scene &s = scene();
    PictureWindow &window = s.copyWindow();
    QImage buffer(ClientWidth, ClientHeight, QImage::Format_RGB32);
    buffer.fill(Qt::black);
    ScaledTileCache tiles(s.host.tiles);
    const QSize client(ClientWidth, ClientHeight);
    const QRect valid(0, 0, ClientWidth - StepX, ClientHeight - StepY);
    QCoreApplication::processEvents();
    std::vector<double> tick, strips, copy;
    QElapsedTimer clock;
    for (auto _ : state) {
        s.dragStep();
        s.form->ScrollBar1->repaint();
        s.form->ScrollBar2->repaint();
        clock.start();
        s.form->Timer1Timer();
        tick.push_back(clock.nsecsElapsed() / 1000.0);

        // Only the tick moves the view, so that every tick draws the strips
        // of exactly one step, as the strips measured here.
        clock.start();
        renderExposedStrips(buffer, client, valid, viewOf(*s.form), s.form->document(), s.host.appSettings, tiles);
        strips.push_back(clock.nsecsElapsed() / 1000.0);

        s.form->ScrollBar1->repaint();
        s.form->ScrollBar2->repaint();
        clock.start();
        window.repaint();
        copy.push_back(clock.nsecsElapsed() / 1000.0);
    }
    auto median = [](std::vector<double> &v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    const double t = median(tick), a = median(strips), c = median(copy);
    state.counters["tick_us"] = t;
    state.counters["strips_us"] = a;
    state.counters["copy_us"] = c;
    state.counters["tick_per_parts"] = t / (a + c);
}
BENCHMARK(BM_TickAgainstParts)->Unit(benchmark::kMicrosecond)->Iterations(2000);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QApplication, Scene>(argc, argv);
}
