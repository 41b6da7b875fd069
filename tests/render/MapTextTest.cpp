// Travel times stamped in cell corners as drawing each text in its box does, readable at every zoom, and names.
#include "RendererTestScene.h"

#include <QPainter>

#include "route/TravelTime.h"

using namespace rendertest;

// Each time drawn through QPainter: on foot bottom-left, afloat top-left, in its reference text's box.
static QImage drawnCellByCell(Scene &scene, const MapView &view, int width, int height)
{
    AppSettings withoutTimes = scene.settings;
    withoutTimes.showTimes = false;
    QImage image = canvas(width, height);
    RenderMap(image, image.rect(), view, scene.map, withoutTimes, scene.tiles);
    QFont font = renderFont(scene.settings.timesFont.font,
                            timesPointSize(scene.settings.timesFont.font.pointSize(), view.cell()));
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(qRgb(255, 255, 0)));
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
                painter.drawText(QPoint(X, top + metrics.ascent()), QString::fromStdString(FormatTravelTime(t)));
            }
        }
    }
    return image;
}

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

TEST(TravelTimes, LabelsGiveTheSamePixelsAsTextDrawnInEachCell)
{
    Scene scene;
    scene.map.create(12, 8, 0, 0, 0, Sand);
    scene.settings.showTimes = true;
    scene.settings.timesFont.colour = 0x0000FFFF; // yellow
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
            const MapView view{cell, 1, cell / 3, cell / 2};
            const int width = scene.map.width * view.pitch(), height = scene.map.height * view.pitch();
            const QImage stamped = scene.render(view, width, height);
            EXPECT_EQ(differingPixels(stamped, drawnCellByCell(scene, view, width, height)), 0)
                << "cell " << cell << (boxed ? " boxed" : "");
            if (cell == 32) { // the times are really there, and go when switched off
                scene.settings.showTimes = false;
                EXPECT_GT(differingPixels(stamped, scene.render(view, width, height)), 100);
                scene.settings.showTimes = true;
            }
        }
    }
}

TEST(Readability, TimesAlongTheRouteOrWhenLegibleProvinceNamesThatFitCityNamesOverTheirCells)
{
    Scene scene;
    scene.map.create(60, 13, 20, 13, 1, Grass);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 60; ++x)
            scene.map.routeTime[OnFoot].at(x, y) = x * 40 + y;
    for (int x = 5; x < 30; ++x)
        scene.map.routeMark.at(x, 6) = MarkOnRoute;
    scene.map.SetCellElement(30, 9, Element{ElementCity, "Brurières", 0, 0, 0});
    scene.settings.showTimes = true;
    const auto whole = [&](int cell) { return scene.renderWhole(MapView{cell, 1}); };
    const auto cellRect = [](int x, int y) { return QRect(x * 33, y * 33, 32, 32); }; // at full size
    const QImage everywhere = whole(32);
    scene.settings.showTimes = false;
    const QImage none = whole(32);
    scene.settings.showTimes = true;
    scene.settings.timesShown = TimesShown::AlongRoute;
    const QImage route = whole(32);
    EXPECT_TRUE(route.copy(cellRect(10, 6)) == everywhere.copy(cellRect(10, 6))) << "a cell of the route";
    EXPECT_FALSE(everywhere.copy(cellRect(10, 4)) == none.copy(cellRect(10, 4)));
    EXPECT_TRUE(route.copy(cellRect(10, 4)) == none.copy(cellRect(10, 4))) << "a cell off the route";
    // 7-point times: 9 pixels at full size, 4 at 5-pixel cells.
    scene.settings.timesShown = TimesShown::WhenReadable;
    EXPECT_TRUE(whole(32) == everywhere);
    const QImage small = whole(5);
    scene.settings.showTimes = false;
    EXPECT_TRUE(small == whole(5));

    SCOPED_TRACE("province names that fit");
    scene.settings.showProvinceNames = true;
    // At 5-pixel cells the first name overlaps the second and the last runs past the map's edge.
    const std::vector<std::string> names = {"Grande Province du Couchant Lointain", "Val",
                                            "Marche de l'Orient Lointain"};
    scene.map.provinceNames = names;
    scene.settings.provinceNamesThatFit = true;
    const QImage fitting = whole(5);
    scene.settings.provinceNamesThatFit = false;
    scene.map.provinceNames = {names[0], "", ""};
    EXPECT_TRUE(fitting == whole(5)) << "the second and third names are left out";
    scene.map.provinceNames = names;
    EXPECT_FALSE(fitting == whole(5));

    SCOPED_TRACE("city names");
    scene.settings.showProvinceNames = false;
    const QImage withoutCities = whole(16);
    scene.settings.showCityNames = true;
    const QImage withCities = whole(16);
    // Only the band just above the city's cell changes.
    const QRect above(0, 9 * 17 - 30, withCities.width(), 30), below(0, 9 * 17, withCities.width(), 4 * 17);
    EXPECT_FALSE(withCities.copy(above) == withoutCities.copy(above));
    EXPECT_TRUE(withCities.copy(below) == withoutCities.copy(below));
    scene.settings.showCityNames = false;
    const QImage smallWithout = whole(5);
    scene.settings.showCityNames = true;
    EXPECT_TRUE(whole(5) == smallWithout) << "no name over cells under 8 pixels";
}
