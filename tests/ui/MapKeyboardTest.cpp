// A map window from the keyboard: scrolling, the map's edges, zooming out
// and the cell menu, without a mouse.
#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include "MapFormTestHost.h"

namespace {

struct KeyCase {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    // Expected scroll positions from (500, 300); -1 stands for the maximum.
    int x;
    int y;
    int zoom;
};

void PrintTo(const KeyCase &key, std::ostream *out)
{
    *out << key.name;
}

class MapKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(MapKeys, MoveTheViewOrZoomOut)
{
    const KeyCase &key = GetParam();
    FakeMapWindowHost host;
    ShownMapForm shown(host, grassWorld(300, 169));
    TMapForm &form = shown.form;
    form.setScrollX(500);
    form.setScrollY(300);
    QTest::keyClick(&form, key.key, key.modifiers);
    if (key.zoom != 100) {
        EXPECT_EQ(form.zoomPercent(), key.zoom);
        return;
    }
    EXPECT_EQ(form.zoomPercent(), 100);
    EXPECT_EQ(form.scrollX(), key.x == -1 ? form.scrollMaximumX() : key.x);
    EXPECT_EQ(form.scrollY(), key.y == -1 ? form.scrollMaximumY() : key.y);
}

INSTANTIATE_TEST_SUITE_P(
    MapKeyboard, MapKeys,
    testing::Values(KeyCase{"Right", Qt::Key_Right, Qt::NoModifier, 532, 300, 100},
                    KeyCase{"Left", Qt::Key_Left, Qt::NoModifier, 468, 300, 100},
                    KeyCase{"Down", Qt::Key_Down, Qt::NoModifier, 500, 332, 100},
                    KeyCase{"Up", Qt::Key_Up, Qt::NoModifier, 500, 268, 100},
                    KeyCase{"PageDown", Qt::Key_PageDown, Qt::NoModifier, 500, 460, 100},
                    KeyCase{"PageUp", Qt::Key_PageUp, Qt::NoModifier, 500, 140, 100},
                    KeyCase{"Shift+PageDown", Qt::Key_PageDown, Qt::ShiftModifier, 660, 300, 100},
                    KeyCase{"Shift+PageUp", Qt::Key_PageUp, Qt::ShiftModifier, 340, 300, 100},
                    KeyCase{"Home", Qt::Key_Home, Qt::NoModifier, 0, 300, 100},
                    KeyCase{"End", Qt::Key_End, Qt::NoModifier, -1, 300, 100},
                    KeyCase{"Minus", Qt::Key_Minus, Qt::NoModifier, 0, 0, 81},
                    KeyCase{"Keypad minus", Qt::Key_Minus, Qt::KeypadModifier, 0, 0, 81}));

TEST(MapKeyboard, MenuKeyAndShiftF10OpenTheCellMenuOnTheViewCentre)
{
    for (const auto &[key, modifiers] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers(Qt::NoModifier)},
                                         std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        FakeMapWindowHost host;
        ShownMapForm shown(host, grassWorld(300, 169));
        TMapForm &form = shown.form;
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

TEST(MapKeyboard, KeysTheWindowDoesNotUseGoOnToTheMainWindow)
{
    FakeMapWindowHost host;
    ShownMapForm shown(host, grassWorld(300, 169));
    for (Qt::Key key : {Qt::Key_F4, Qt::Key_F10, Qt::Key_Plus, Qt::Key_A}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&shown.form, &press);
        EXPECT_FALSE(press.isAccepted()) << key;
    }
    EXPECT_EQ(shown.form.zoomPercent(), 100);
}

} // namespace
