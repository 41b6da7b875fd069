// Smooth scrolling keeps the part of the picture still in view and renders
// only the uncovered strips; the result must be the picture a full render
// gives at the new position, whichever way the player scrolls.
#include "RendererTestScene.h"

#include <QRegion>

using namespace rendertest;

namespace {

class ScrollingMap : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A busy map: provinces, names wider than a province at small zoom,
        // zones, a route with travel times, several terrains.
        scene.map.create(60, 39, 20, 13, 1, Grass);
        scene.map.provinceNames = {"Montagnes du Nord", "Val", "Ile aux Marins", "Delta du Couchant",
                                   "Basses Terres", "Sable", "Hautes Forets"};
        for (int y = 0; y < scene.map.height; ++y) {
            for (int x = 0; x < scene.map.width; ++x) {
                if ((x * 7 + y * 3) % 11 == 0)
                    scene.map.terrain.at(x, y) = Water;
                else if ((x + y * 5) % 13 == 0)
                    scene.map.terrain.at(x, y) = Mountain;
                scene.map.routeTime[OnFoot].at(x, y) = (x * 37 + y * 101) % 7000;
                if (x % 3 == 0)
                    scene.map.routeTime[Afloat].at(x, y) = (x * 13 + y * 17) % 900;
            }
        }
        for (int i = 0; i < 30; ++i)
            scene.map.routeMark.at(5 + i, 4 + i / 2) = i % 7 == 0 ? MarkLayerChange : MarkOnRoute;
        Element zone;
        zone.kind = ElementZone;
        zone.number = 253;
        scene.map.SetCellElement(12, 6, zone);
        scene.settings.showTimes = true;
        scene.settings.showProvinceNames = true;
    }

    // Scrolls from `from` by (dx, dy) as the map window's timer does, and
    // compares with a full render at the new position.
    void expectScrollMatchesFullRender(const MapView &from, int dx, int dy)
    {
        const QSize client(300, 200);
        QImage previous = Scene::canvas(client.width(), client.height());
        RenderMap(previous, previous.rect(), from, scene.map, scene.settings, *scene.tiles);

        MapView to = from;
        to.scrollX += dx;
        to.scrollY += dy;
        QImage current = Scene::canvas(client.width(), client.height(), qRgb(9, 8, 7));
        const QRect valid = ShiftRetainedPicture(previous, current, client, dx, dy);
        const ExposedStrips strips = RenderExposedStrips(current, client, valid, to, scene.map,
                                                         scene.settings, *scene.tiles);
        // Together the still-valid part and the strips cover the client area.
        EXPECT_EQ((QRegion(valid) + strips.stripA + strips.stripB), QRegion(QRect(QPoint(0, 0), client)))
            << dx << "," << dy;

        QImage full = Scene::canvas(client.width(), client.height());
        RenderMap(full, full.rect(), to, scene.map, scene.settings, *scene.tiles);
        EXPECT_EQ(differingPixels(current, full), 0) << "scrolling by " << dx << "," << dy << " at cell "
                                                     << from.cellSize;
    }

    Scene scene;
};

} // namespace

TEST_F(ScrollingMap, EveryDirectionGivesTheFullPicture)
{
    for (bool boxes : {false, true}) {
        scene.settings.timesBackground = boxes;
        scene.settings.namesBackground = !boxes;
        for (int cell : {32, 9, 1}) {
            const MapView from = viewAt(cell, 1, 2 * (cell + 1) + 5, cell + 4);
            expectScrollMatchesFullRender(from, 33, 0);
            expectScrollMatchesFullRender(from, -33, 0);
            expectScrollMatchesFullRender(from, 0, 33);
            expectScrollMatchesFullRender(from, 0, -33);
            expectScrollMatchesFullRender(from, 17, -12);
            expectScrollMatchesFullRender(from, -40, 25);
        }
    }
}

TEST_F(ScrollingMap, AJumpLongerThanTheWindowRedrawsEverything)
{
    const MapView from = viewAt(16, 1, 0, 0);
    expectScrollMatchesFullRender(from, 500, 0);
    expectScrollMatchesFullRender(from, 0, 450);
    expectScrollMatchesFullRender(from, 320, 210);
}

TEST(ExposedStripGeometry, StripsLieWhereTheShiftUncoveredTheWindow)
{
    const QSize client(300, 200);
    // Scrolled right by 33: the old picture moved left; strip A is at the right.
    ExposedStrips strips = exposedStrips(client, QRect(0, 0, 267, 200));
    EXPECT_EQ(strips.stripA, QRect(267, 0, 33, 200));
    EXPECT_TRUE(strips.stripB.isEmpty());
    // Scrolled left: strip A at the left.
    strips = exposedStrips(client, QRect(33, 0, 267, 200));
    EXPECT_EQ(strips.stripA, QRect(0, 0, 33, 200));
    // Scrolled up and right: strip B above the valid part, across its columns.
    strips = exposedStrips(client, QRect(0, 10, 290, 190));
    EXPECT_EQ(strips.stripA, QRect(290, 0, 10, 200));
    EXPECT_EQ(strips.stripB, QRect(0, 0, 290, 10));
}
