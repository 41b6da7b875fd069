// A map window from the keyboard: scrolling, the map's edges, zooming out
// and the cell menu, without a mouse.
#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include "MapFormTestHost.h"

using MapKeyboard = MapFormFixture;

TEST_F(MapKeyboard, KeysMoveTheViewOrZoomOutAndOthersGoOnToTheMainWindow)
{
    // Expected scroll positions from (500, 300); -1 stands for the maximum.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int x, y, zoom;
    } cases[] = {{Qt::Key_Right, Qt::NoModifier, 532, 300, 100},    {Qt::Key_Left, Qt::NoModifier, 468, 300, 100},
                 {Qt::Key_Down, Qt::NoModifier, 500, 332, 100},     {Qt::Key_Up, Qt::NoModifier, 500, 268, 100},
                 {Qt::Key_PageDown, Qt::NoModifier, 500, 460, 100}, {Qt::Key_PageUp, Qt::NoModifier, 500, 140, 100},
                 {Qt::Key_PageDown, Qt::ShiftModifier, 660, 300, 100},
                 {Qt::Key_PageUp, Qt::ShiftModifier, 340, 300, 100},
                 {Qt::Key_Home, Qt::NoModifier, 0, 300, 100},       {Qt::Key_End, Qt::NoModifier, -1, 300, 100},
                 {Qt::Key_Minus, Qt::NoModifier, 0, 0, 81},         {Qt::Key_Minus, Qt::KeypadModifier, 0, 0, 81}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " modifiers " << c.modifiers);
        TMapForm &form = show();
        form.setScrollX(500);
        form.setScrollY(300);
        QTest::keyClick(&form, c.key, c.modifiers);
        EXPECT_EQ(form.zoomPercent(), c.zoom);
        if (c.zoom == 100) {
            EXPECT_EQ(form.scrollX(), c.x == -1 ? form.scrollMaximumX() : c.x);
            EXPECT_EQ(form.scrollY(), c.y == -1 ? form.scrollMaximumY() : c.y);
        }
    }
    TMapForm &form = show();
    for (Qt::Key key : {Qt::Key_F4, Qt::Key_F10, Qt::Key_Plus, Qt::Key_A}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &press);
        EXPECT_FALSE(press.isAccepted()) << key;
    }
    EXPECT_EQ(form.zoomPercent(), 100);
}

TEST_F(MapKeyboard, MenuKeyAndShiftF10OpenTheCellMenuOnTheViewCentre)
{
    for (const auto &[key, modifiers] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers(Qt::NoModifier)},
                                         std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        TMapForm &form = show();
        form.centreOnCell(40, 30);
        // The last press was elsewhere: the keyboard's cell is the centre's.
        pressAt(form, Qt::LeftButton, {5, 5});
        releaseAt(form, Qt::LeftButton, {5, 5});
        QTest::keyClick(&form, key, modifiers);
        EXPECT_TRUE(form.PopupMenu->isVisible()) << key;
        EXPECT_EQ(form.targetedCell(), QPoint(40, 30)) << key;
        form.PopupMenu->hide();
    }
}
