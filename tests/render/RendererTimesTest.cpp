// Travel times stamped in cell corners give what drawing each text in its clipped box does.
#include "RendererTestScene.h"

#include <QFontMetrics>
#include <QPainter>
#include <vector>

#include "route/TravelTime.h"

using namespace rendertest;

namespace {

const QRgb Yellow = qRgb(255, 255, 0);

class TravelTimes : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene.map.create(12, 8, 0, 0, 0, Sand);
        scene.settings.showTimes = true;
        scene.settings.timesFont.colour = 0x0000FFFF; // yellow
    }

    QFont timesFont(int cellSize) const
    {
        QFont font = renderFont(scene.settings.timesFont.font,
                                timesPointSize(scene.settings.timesFont.font.pointSize(), cellSize));
        font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }

    // Each time drawn through QPainter: on foot bottom-left, afloat top-left, in its reference text's box.
    QImage drawnCellByCell(const MapView &view, int width, int height)
    {
        AppSettings withoutTimes = scene.settings;
        withoutTimes.showTimes = false;
        QImage image = Scene::canvas(width, height);
        RenderMap(image, image.rect(), view, scene.map, withoutTimes, *scene.tiles);
        const QFont font = timesFont(view.cell());
        const QFontMetrics metrics(font);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(QColor(Yellow));
        const int c = view.cell();
        for (int y = 0; y < scene.map.height; ++y) {
            for (int x = 0; x < scene.map.width; ++x) {
                const int X = x * view.pitch() - view.scrollX, Y = y * view.pitch() - view.scrollY;
                for (int layer : {OnFoot, Afloat}) {
                    const int t = scene.map.routeTimeAt(x, y, layer);
                    if (t == -1)
                        continue;
                    const QString reference = t < 600 ? "0:00" : t < 6000 ? "00:00" : "000:00";
                    const int h = std::min(metrics.height(), c), top = layer == OnFoot ? Y + c - h : Y;
                    const QRect box(X, top, std::min(metrics.horizontalAdvance(reference), c), h);
                    painter.setClipRect(box);
                    if (scene.settings.timesBackground)
                        painter.fillRect(box, Qt::black);
                    painter.drawText(QPoint(X, top + metrics.ascent()),
                                     QString::fromStdString(FormatTravelTime(t)));
                }
            }
        }
        return image;
    }

    Scene scene;
};

} // namespace

TEST(TravelTimeFonts, ShrinkWithTheCellAndNeverVanish)
{
    // configured points, cell size, points drawn
    const int times[][3] = {{7, 32, 7}, {7, 16, 5}, {7, 1, 3}, {2, 1, 1}};
    const int names[][3] = {{14, 32, 14}, {14, 16, 10}, {14, 1, 6}, {3, 5, 1}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(std::pair(timesPointSize(times[i][0], times[i][1]), namesPointSize(names[i][0], names[i][1])),
                  std::pair(times[i][2], names[i][2])) << i;
    EXPECT_EQ(std::pair(renderFont(QFont(), 7).pixelSize(), renderFont(QFont(), 14).pixelSize()), std::pair(9, 19));
}

TEST_F(TravelTimes, LabelsGiveTheSamePixelsAsTextDrawnInEachCell)
{
    const std::vector<int> times = {0, 7, 59, 75, 599, 600, 1234, 5999, 6000, 12345, 60000};
    size_t next = 0;
    for (int y = 0; y < scene.map.height; ++y) {
        for (int x = 0; x < scene.map.width; ++x) {
            if ((x + y) % 3 != 0)
                scene.map.routeTime[OnFoot].at(x, y) = times[next++ % times.size()];
            if ((x + 2 * y) % 4 != 1)
                scene.map.routeTime[Afloat].at(x, y) = times[next++ % times.size()];
        }
    }
    for (bool boxed : {false, true}) {
        scene.settings.timesBackground = boxed;
        for (int cell : {32, 25, 16, 7, 1}) {
            const MapView view = viewAt(cell, 1, cell / 3, cell / 2);
            const int width = scene.map.width * view.pitch(), height = scene.map.height * view.pitch();
            const QImage stamped = scene.render(view, width, height);
            const QImage drawn = drawnCellByCell(view, width, height);
            EXPECT_EQ(differingPixels(stamped, drawn), 0) << "cell " << cell << (boxed ? " boxed" : "");
            if (cell == 32) { // the times are really there, and go when switched off
                scene.settings.showTimes = false;
                EXPECT_GT(differingPixels(stamped, scene.render(view, width, height)), 100);
                scene.settings.showTimes = true;
            }
        }
    }
}
