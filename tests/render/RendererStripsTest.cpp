// Scrolling renders only the uncovered strips: pieces must give the full picture wherever their edges cut.
#include "RendererTestScene.h"

#include <cstdlib>

using namespace rendertest;

namespace {

class ScrollingMap : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Names wider than a province at small zoom, zones, a route with times, several terrains.
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
        scene.map.SetCellElement(12, 6, Element{ElementZone, "", 0, 0, 253});
        // Cities whose names cross the pieces' edges at the larger cell sizes.
        scene.map.SetCellElement(12, 2, Element{ElementCity, "Brurières", 0, 0, 1});
        scene.map.SetCellElement(8, 5, Element{ElementCity, "Port-Noron", 0, 0, 2});
        scene.settings.showTimes = true;
        scene.settings.showProvinceNames = true;
    }

    // The column strip, the row strip and the rest a move by (dx, dy) leaves, against a full render.
    void expectPiecesMatchFullRender(const MapView &view, int dx, int dy)
    {
        const int w = 300, h = 200;
        const int columns = std::min(std::abs(dx), w), rows = std::min(std::abs(dy), h);
        const int restLeft = dx >= 0 ? 0 : columns;
        const QRect column(dx >= 0 ? w - columns : 0, 0, columns, h);
        const QRect row(restLeft, dy >= 0 ? h - rows : 0, w - columns, rows);
        const QRect rest(restLeft, dy >= 0 ? 0 : rows, w - columns, h - rows);
        EXPECT_EQ(differingPixels(scene.renderPieces(view, w, h, {column, row, rest}), scene.render(view, w, h)), 0)
            << "pieces of a move by " << dx << "," << dy << " at cell " << view.cellSize;
    }

    Scene scene;
};

} // namespace

TEST_F(ScrollingMap, APictureDrawnInPiecesIsTheWholePicture)
{
    for (bool boxes : {false, true}) {
        scene.settings.timesBackground = boxes;
        scene.settings.namesBackground = !boxes;
        scene.settings.provinceNamesThatFit = boxes;
        scene.settings.showCityNames = boxes;
        for (int cell : {32, 9, 1}) {
            const MapView view = viewAt(cell, 1, 2 * (cell + 1) + 5 + 33, cell + 4);
            for (const QPoint move : {QPoint(33, 0), QPoint(-33, 0), QPoint(0, 33), QPoint(17, -12),
                                      QPoint(-40, 25), QPoint(500, 0), QPoint(320, 210)})
                expectPiecesMatchFullRender(view, move.x(), move.y());
        }
    }
}
