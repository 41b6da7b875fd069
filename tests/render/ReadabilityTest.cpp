// Times along the route or when legible, province names that fit, city names over their cells.
#include "RendererTestScene.h"

using namespace rendertest;

namespace {

class Readability : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene.map.create(60, 13, 20, 13, 1, Grass);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 60; ++x)
                scene.map.routeTime[OnFoot].at(x, y) = x * 40 + y;
        for (int x = 5; x < 30; ++x)
            scene.map.routeMark.at(x, 6) = MarkOnRoute;
        scene.map.SetCellElement(30, 9, Element{ElementCity, "Brurières", 0, 0, 0});
        scene.settings.showTimes = true;
    }
    QImage whole(int cell) { return scene.renderWhole(viewAt(cell, 1)); }
    static QRect cellRect(int cell, int x, int y) { return QRect(x * (cell + 1), y * (cell + 1), cell, cell); }

    Scene scene;
};

} // namespace

TEST_F(Readability, TimesAlongTheRouteOrOnlyWhenLegible)
{
    const QImage everywhere = whole(32);
    scene.settings.showTimes = false;
    const QImage none = whole(32);
    scene.settings.showTimes = true;
    scene.settings.timesShown = TimesShown::AlongRoute;
    const QImage route = whole(32);
    EXPECT_TRUE(route.copy(cellRect(32, 10, 6)) == everywhere.copy(cellRect(32, 10, 6))) << "a cell of the route";
    EXPECT_FALSE(everywhere.copy(cellRect(32, 10, 4)) == none.copy(cellRect(32, 10, 4)));
    EXPECT_TRUE(route.copy(cellRect(32, 10, 4)) == none.copy(cellRect(32, 10, 4))) << "a cell off the route";

    // 7-point times: 9 pixels at full size, 4 at 5-pixel cells.
    scene.settings.timesShown = TimesShown::WhenReadable;
    EXPECT_TRUE(whole(32) == everywhere);
    const QImage small = whole(5);
    scene.settings.showTimes = false;
    EXPECT_TRUE(small == whole(5));
}

TEST_F(Readability, OnlyTheProvinceNamesThatFitAndCityNamesOverTheirCells)
{
    scene.settings.showProvinceNames = true;
    // At 5-pixel cells the first name overlaps the second and the last runs past the map's edge.
    const std::vector<std::string> names = {"Grande Province du Couchant Lointain", "Val", "Marche de l'Orient Lointain"};
    scene.map.provinceNames = names;
    scene.settings.provinceNamesThatFit = true;
    const QImage fitting = whole(5);
    scene.settings.provinceNamesThatFit = false;
    scene.map.provinceNames = {names[0], "", ""};
    EXPECT_TRUE(fitting == whole(5)) << "the second and third names are left out";
    scene.map.provinceNames = names;
    EXPECT_FALSE(fitting == whole(5));

    scene.settings.showProvinceNames = false;
    const QImage withoutCities = whole(16);
    scene.settings.showCityNames = true;
    const QImage withCities = whole(16);
    // Only the band just above the city's cell changes.
    const QRect above(0, 9 * 17 - 30, withCities.width(), 30);
    EXPECT_FALSE(withCities.copy(above) == withoutCities.copy(above));
    EXPECT_TRUE(withCities.copy(0, 9 * 17, withCities.width(), withCities.height() - 9 * 17)
                == withoutCities.copy(0, 9 * 17, withCities.width(), withCities.height() - 9 * 17));
    scene.settings.showCityNames = false;
    const QImage smallWithout = whole(5);
    scene.settings.showCityNames = true;
    EXPECT_TRUE(whole(5) == smallWithout) << "no name over cells under 8 pixels";
}
