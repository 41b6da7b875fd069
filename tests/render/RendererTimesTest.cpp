// Travel times in the corners of reached cells: on foot bottom-left, afloat
// top-left, each in the box of its reference text.
#include "RendererTestScene.h"

#include <QFontMetrics>
#include <QPainter>
#include <vector>

#include "route/TravelTime.h"

using namespace rendertest;

namespace {

const QRgb Black = qRgb(0, 0, 0);
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

    // The cell's pixels that are not sand, as a bounding rectangle relative
    // to the cell's corner.
    static QRect marked(const QImage &image, int left, int top, int size)
    {
        QRect box;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (pixel(image, left + x, top + y) != tileColour(Sand))
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    // What drawing each time's text through QPainter, cell by cell, gives:
    // the picture the label stamps must reproduce.
    QImage drawnCellByCell(const MapView &view, int width, int height)
    {
        AppSettings withoutTimes = scene.settings;
        withoutTimes.showTimes = false;
        QImage image = Scene::canvas(width, height);
        RenderMap(image, image.rect(), view, scene.map, withoutTimes, *scene.tiles);
        const QFont font = timesFont(view.cell());
        const QFontMetrics metrics(font);
        const QString references[3] = {"0:00", "00:00", "000:00"};
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(QColor(Yellow));
        const int c = view.cell();
        for (int y = 0; y < scene.map.height; ++y) {
            for (int x = 0; x < scene.map.width; ++x) {
                const int X = x * view.pitch() - view.scrollX;
                const int Y = y * view.pitch() - view.scrollY;
                for (int layer : {OnFoot, Afloat}) {
                    const int t = scene.map.routeTimeAt(x, y, layer);
                    if (t == -1)
                        continue;
                    const QString reference = references[t < 600 ? 0 : (t < 6000 ? 1 : 2)];
                    const int w = std::min(metrics.horizontalAdvance(reference), c);
                    const int h = std::min(metrics.height(), c);
                    const int top = layer == OnFoot ? Y + c - h : Y;
                    const QRect box(X, top, w, h);
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
    EXPECT_EQ(timesPointSize(7, 32), 7);
    EXPECT_EQ(timesPointSize(7, 16), 5);
    EXPECT_EQ(timesPointSize(7, 1), 3);
    EXPECT_EQ(namesPointSize(14, 32), 14);
    EXPECT_EQ(namesPointSize(14, 16), 10);
    EXPECT_EQ(namesPointSize(14, 1), 6);
    // Small configured sizes at small cells keep one point.
    EXPECT_EQ(timesPointSize(2, 1), 1);
    EXPECT_EQ(namesPointSize(3, 5), 1);
    EXPECT_EQ(renderFont(QFont(), 7).pixelSize(), 9);
    EXPECT_EQ(renderFont(QFont(), 14).pixelSize(), 19);
}

TEST_F(TravelTimes, BoxedTimesSitInTheirCornersSizedByTheirReferenceText)
{
    scene.settings.timesBackground = true;
    scene.map.routeTime[Afloat].at(1, 1) = 599;  // 9:59 in the box of "0:00"
    scene.map.routeTime[OnFoot].at(1, 1) = 75;   // 1:15
    scene.map.routeTime[Afloat].at(3, 1) = 600;  // 10:00 in the box of "00:00"
    scene.map.routeTime[OnFoot].at(5, 1) = 6000; // 100:00 in the box of "000:00"
    const MapView view = viewAt(32, 1);
    const QImage image = scene.renderWhole(view);

    const QFontMetrics metrics(timesFont(32));
    const int h = metrics.height();
    ASSERT_LT(h, 16) << "the two boxes of a full-size cell do not meet";
    const int small = std::min(metrics.horizontalAdvance("0:00"), 32);
    const int medium = std::min(metrics.horizontalAdvance("00:00"), 32);
    const int large = std::min(metrics.horizontalAdvance("000:00"), 32);
    ASSERT_LT(small, medium);

    // Cell (1, 1): the afloat box top-left, the on-foot box bottom-left,
    // sand everywhere else.
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool inBox = (x < small && y < h) || (x < small && y >= 32 - h);
            const QRgb colour = pixel(image, 33 + x, 33 + y);
            if (inBox)
                ASSERT_TRUE(colour == Black || colour == Yellow) << x << "," << y;
            else
                ASSERT_EQ(colour, tileColour(Sand)) << x << "," << y;
        }
    }
    EXPECT_EQ(marked(image, 3 * 33, 33, 32), QRect(0, 0, medium, h));
    EXPECT_EQ(marked(image, 5 * 33, 33, 32), QRect(0, 32 - h, large, h));
    EXPECT_EQ(marked(image, 7 * 33, 33, 32), QRect()) << "an unreached cell shows no time";

    // Each box holds its text.
    auto yellowIn = [&](int left, int top, int width, int height) {
        int count = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                count += pixel(image, x, y) == Yellow;
        return count;
    };
    EXPECT_GT(yellowIn(33, 33, small, h), 0);
    EXPECT_GT(yellowIn(33, 33 + 32 - h, small, h), 0);
    EXPECT_GT(yellowIn(3 * 33, 33, medium, h), 0);

    // In a small cell the boxes are clipped to the cell and meet.
    const QImage tiny = scene.renderWhole(viewAt(5, 1));
    EXPECT_EQ(marked(tiny, 6, 6, 5), QRect(0, 0, 5, 5));
}

TEST_F(TravelTimes, UnboxedTimesOnlyColourTheirText)
{
    scene.map.routeTime[OnFoot].at(2, 2) = 754;
    scene.map.routeTime[Afloat].at(2, 2) = 13;
    const QImage image = scene.renderWhole(viewAt(32, 1));
    int text = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb colour = pixel(image, 66 + x, 66 + y);
            ASSERT_TRUE(colour == tileColour(Sand) || colour == Yellow) << x << "," << y;
            text += colour == Yellow;
        }
    }
    EXPECT_GT(text, 0);

    scene.settings.showTimes = false;
    EXPECT_EQ(marked(scene.renderWhole(viewAt(32, 1)), 66, 66, 32), QRect());
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
            const int width = scene.map.width * view.pitch();
            const int height = scene.map.height * view.pitch();
            const QImage stamped = scene.render(view, width, height);
            const QImage drawn = drawnCellByCell(view, width, height);
            EXPECT_EQ(differingPixels(stamped, drawn), 0) << "cell " << cell << (boxed ? " boxed" : "");
        }
    }
}
