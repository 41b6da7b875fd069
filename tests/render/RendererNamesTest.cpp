// Province names over the map: only named provinces, at the province's
// corner, with or without their black box.
#include "RendererTestScene.h"

#include <QFontMetrics>

using namespace rendertest;

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(255, 0, 0);

class ProvinceNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Three provinces per row (ceil((60 - 10) / 20)), three rows.
        scene.map.create(60, 39, 20, 13, 1, Grass);
        scene.map.provinceNames = {"Alpha", "", "Gamma", "Delta"};
        scene.settings.highlightBorders = false;
        scene.settings.showBorderLines = false;
        scene.settings.showProvinceNames = true;
        scene.settings.namesFont.colour = 0x000000FF; // red
    }

    QSize nameBox(const QString &name, int cellSize) const
    {
        const QFont font = renderFont(scene.settings.namesFont.font,
                                      namesPointSize(scene.settings.namesFont.font.pointSize(), cellSize));
        const QFontMetrics metrics(font);
        return QSize(metrics.horizontalAdvance(name), metrics.height());
    }

    // Counts the pixels of a rectangle by what they show.
    struct Census {
        int grass = 0;
        int black = 0;
        int red = 0;
        int other = 0;
    };
    static Census census(const QImage &image, const QRect &area)
    {
        Census counts;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb colour = pixel(image, x, y);
                if (colour == tileColour(Grass))
                    ++counts.grass;
                else if (colour == Black)
                    ++counts.black;
                else if (colour == Red)
                    ++counts.red;
                else
                    ++counts.other;
            }
        }
        return counts;
    }

    Scene scene;
};

} // namespace

TEST_F(ProvinceNames, OnlyNamedProvincesShowTheirNameOnABlackBox)
{
    const MapView view = viewAt(16, 0); // pitch 16, no grid
    const QImage image = scene.renderWhole(view);
    const int p = 16;

    // Alpha at the first province's corner: its box is black and red only.
    const QSize alpha = nameBox("Alpha", 16);
    const Census alphaBox = census(image, QRect(QPoint(0, 0), alpha));
    EXPECT_EQ(alphaBox.grass, 0);
    EXPECT_GT(alphaBox.red, 0);
    EXPECT_GT(alphaBox.black, 0);
    // Gamma at the third province of the row.
    const Census gammaBox = census(image, QRect(QPoint(40 * p, 0), nameBox("Gamma", 16)));
    EXPECT_EQ(gammaBox.grass, 0);
    EXPECT_GT(gammaBox.red, 0);
    // The second province has an empty name: nothing drawn at its corner.
    EXPECT_EQ(census(image, QRect(20 * p, 0, 30, 12)).grass, 30 * 12);
    // Delta names the first province of the shifted row, 10 cells in.
    const Census deltaBox = census(image, QRect(QPoint(10 * p, 13 * p), nameBox("Delta", 16)));
    EXPECT_EQ(deltaBox.grass, 0);
    EXPECT_GT(deltaBox.red, 0);
    EXPECT_EQ(census(image, QRect(0, 13 * p, 10 * p, 12)).grass, 10 * p * 12);
    // Provinces beyond the list of names stay unnamed.
    EXPECT_EQ(census(image, QRect(30 * p, 13 * p, 40, 12)).grass, 40 * 12);
    EXPECT_EQ(census(image, QRect(0, 26 * p, 60 * p, 13 * p)).grass, 60 * p * 13 * p);
    // Nothing away from the three names was touched (glyphs may overhang
    // their box by a pixel or two).
    const QRect boxes[] = {QRect(QPoint(0, 0), alpha), QRect(QPoint(40 * p, 0), nameBox("Gamma", 16)),
                           QRect(QPoint(10 * p, 13 * p), nameBox("Delta", 16))};
    int strays = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            bool nearName = false;
            for (const QRect &box : boxes)
                nearName = nearName || box.adjusted(-3, -3, 3, 3).contains(x, y);
            strays += !nearName && pixel(image, x, y) != tileColour(Grass);
        }
    }
    EXPECT_EQ(strays, 0);
}

TEST_F(ProvinceNames, WithoutBackgroundOnlyTheLettersCoverTheMap)
{
    scene.settings.namesBackground = false;
    const QImage image = scene.renderWhole(viewAt(32, 0));
    const Census box = census(image, QRect(QPoint(0, 0), nameBox("Alpha", 32)));
    EXPECT_GT(box.grass, box.red) << "letters cover a small part of their box";
    EXPECT_GT(box.red, 0);
    EXPECT_EQ(box.black, 0);

    scene.settings.showProvinceNames = false;
    const QImage plain = scene.renderWhole(viewAt(32, 0));
    EXPECT_EQ(census(plain, QRect(QPoint(0, 0), nameBox("Alpha", 32))).red, 0);
}

TEST_F(ProvinceNames, AMapWithoutProvincesHasNoNames)
{
    scene.map.create(30, 20, 0, 0, 0, Grass);
    scene.map.provinceNames = {"Alpha"};
    const QImage image = scene.renderWhole(viewAt(16, 0));
    EXPECT_EQ(census(image, image.rect()).grass, image.width() * image.height());
}
