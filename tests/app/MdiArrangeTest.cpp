// The window arrangements' arithmetic: tiles share the area without gap or
// overlap, cascades stay inside it, minimised windows line up along the bottom.
#include <gtest/gtest.h>

#include "app/MdiArrange.h"

namespace {

QList<QRect> iconsAt(const QRect &area, const QList<QSize> &sizes)
{
    QList<QRect> icons;
    const QList<QPoint> places = iconPlaces(area, sizes);
    for (int i = 0; i < places.size(); ++i)
        icons.append(QRect(places[i], sizes.value(i)));
    return icons;
}

TEST(WindowArrangements, EveryWindowGetsItsPlaceInsideTheArea)
{
    const QRect area(0, 0, 1000, 600);
    const QSize icon(160, 30);
    const struct { const char *situation; QList<QRect> placed, expected; } cases[] = {
        {"side by side, the last taking what the division leaves", verticalTiles(area, 3),
         {{0, 0, 333, 600}, {333, 0, 333, 600}, {666, 0, 334, 600}}},
        {"rows above 40 pixels of icons", horizontalTiles(area, 3, 40),
         {{0, 0, 1000, 186}, {0, 186, 1000, 186}, {0, 372, 1000, 188}}},
        {"no window", horizontalTiles(area, 0), {}},
        {"a cascade of steps that fit", cascadeTiles(area, {600, 400}, 3, 25),
         {{0, 0, 600, 400}, {25, 25, 600, 400}, {50, 50, 600, 400}}},
        {"a cascade whose steps shrink so the last ends inside", cascadeTiles(area, {900, 550}, 5, 25),
         {{0, 0, 900, 550}, {12, 12, 900, 550}, {24, 24, 900, 550}, {36, 36, 900, 550}, {48, 48, 900, 550}}},
        {"a small window cascaded at half the area", cascadeTiles(area, {100, 100}, 1, 25), {{0, 0, 500, 300}}},
        {"icons left to right along the bottom", iconsAt(area, {icon, icon}), {{0, 570, 160, 30}, {160, 570, 160, 30}}},
        {"icons past the right edge start a row above the tallest", iconsAt({0, 0, 400, 600}, {{160, 20}, icon, icon}),
         {{0, 580, 160, 20}, {160, 570, 160, 30}, {0, 540, 160, 30}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.placed, c.expected) << c.situation;
}

} // namespace
