// Province names: only named provinces, at the province's corner, with or without their black box.
#include "RendererTestScene.h"

#include <QFontMetrics>

using namespace rendertest;

namespace {

class ProvinceNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene.map.create(60, 39, 20, 13, 1, Grass);
        scene.map.provinceNames = {"Alpha", "", "Gamma", "Delta"};
        scene.settings.highlightBorders = false;
        scene.settings.showBorderLines = false;
        scene.settings.showProvinceNames = true;
        scene.settings.namesFont.colour = 0x000000FF; // red
    }

    QRect nameBox(const QString &name, int column, int row, int p) const
    {
        const QFontMetrics metrics(renderFont(scene.settings.namesFont.font,
                                              namesPointSize(scene.settings.namesFont.font.pointSize(), p)));
        return QRect(column * p, row * p, metrics.horizontalAdvance(name), metrics.height());
    }

    // Pixels of grass, black and red.
    static std::array<int, 3> census(const QImage &image, const QRect &area)
    {
        std::array<int, 3> counts{};
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb colour = pixel(image, x, y);
                ++counts[colour == tileColour(Grass) ? 0 : colour == qRgb(0, 0, 0) ? 1 : 2];
            }
        return counts;
    }

    Scene scene;
};

} // namespace

TEST_F(ProvinceNames, OnlyNamedProvincesShowTheirNameOnABlackBoxAtTheirCorner)
{
    const int p = 16;
    const QImage image = scene.renderWhole(viewAt(p, 0));
    // Delta names the first province of the shifted row, 10 cells in; the second's name is empty.
    const QRect boxes[] = {nameBox("Alpha", 0, 0, p), nameBox("Gamma", 40, 0, p), nameBox("Delta", 10, 13, p)};
    for (const QRect &box : boxes) {
        const auto [grass, black, red] = census(image, box);
        EXPECT_TRUE(grass == 0 && black > 0 && red > 0) << grass << " " << black << " " << red;
    }
    // Nothing else is touched; glyphs may overhang their box by a pixel or two.
    QImage away = image;
    for (const QRect &box : boxes)
        for (int y = box.top() - 3; y <= box.bottom() + 3; ++y)
            for (int x = std::max(0, box.left() - 3); x <= box.right() + 3; ++x)
                if (away.rect().contains(x, y))
                    away.setPixel(x, y, tileColour(Grass));
    EXPECT_EQ(census(away, away.rect())[0], away.width() * away.height());
}

TEST_F(ProvinceNames, WithoutBackgroundOnlyLettersAndWithoutProvincesNoNames)
{
    scene.settings.namesBackground = false;
    const QRect alpha = nameBox("Alpha", 0, 0, 32);
    const auto [grass, black, red] = census(scene.renderWhole(viewAt(32, 0)), alpha);
    EXPECT_TRUE(grass > red && red > 0 && black == 0) << "letters cover a small part of their box";
    scene.map.create(30, 20, 0, 0, 0, Grass);
    scene.map.provinceNames = {"Alpha"};
    const QImage image = scene.renderWhole(viewAt(16, 0));
    EXPECT_EQ(census(image, image.rect())[0], image.width() * image.height());
}
