// A map window's view: zooming, the wheel, dragging, centring and the
// scrolling timer, as a player moves around a map.
#include <gtest/gtest.h>

#include <QPainter>
#include <QScrollBar>

#include "render/MapRenderer.h"
#include "render/ScaledTileCache.h"
#include "MapFormTestHost.h"

using MapFormView = MapFormFixture;

TEST_F(MapFormView, ANewWindowShowsTheMapAtFullSizeFromItsCornerAndANarrowMapCannotScrollSideways)
{
    // Steps of the scroll bars are checked through the keys that use them.
    TMapForm &form = show();
    EXPECT_EQ(form.zoomPercent(), 100);
    EXPECT_EQ(form.cellPitch(), 33);
    // 300 x 33 pixels across, less the client area outside the scroll bar.
    EXPECT_EQ(form.scrollMaximumX(), 9900 - (600 - 16));
    EXPECT_EQ(form.scrollMaximumY(), 169 * 33 - (400 - 16));
    EXPECT_EQ(form.ScrollBar1->geometry(), QRect(0, 384, 600, 16));
    EXPECT_EQ(form.ScrollBar2->geometry(), QRect(584, 0, 16, 384));

    TMapForm &narrow = show(grassWorld(10, 100));
    narrow.setScrollX(200);
    EXPECT_EQ(narrow.scrollX(), 0);
    EXPECT_GT(narrow.scrollMaximumY(), 0);

    // Without the grid the pitch is the cell.
    host.appSettings.gridGap = 0;
    TMapForm &gapless = show();
    EXPECT_EQ(gapless.cellPitch(), 32);
    EXPECT_EQ(gapless.columnAt(65), 2);
    EXPECT_EQ(gapless.scrollMaximumX(), 9600 - 584);
}

TEST_F(MapFormView, ZoomingFollowsTheMenuStepsWithinFiveToAHundredAndKeepsTheCentreCell)
{
    TMapForm &form = show();
    form.ZoomArriereExecute();
    EXPECT_EQ(form.cellSize(), 25);
    for (int i = 0; i < 12; ++i)
        form.ZoomArriereExecute();
    EXPECT_EQ(form.zoomPercent(), 5);
    // 300 cells of 2 pixels: 600 pixels, 16 more than the client area.
    EXPECT_EQ(form.scrollMaximumX(), 16);
    form.ZommAvantExecute();
    EXPECT_EQ(form.zoomPercent(), 6);
    form.setZoom(150);
    EXPECT_EQ(form.zoomPercent(), 100);
    form.setZoom(3);
    EXPECT_EQ(form.zoomPercent(), 5);

    // A zoom that keeps the cell size keeps the view.
    form.setZoom(99);
    form.setScrollX(1234);
    form.setScrollY(567);
    form.setZoom(97);
    EXPECT_EQ(form.cellSize(), 31);
    EXPECT_EQ(QPoint(form.scrollX(), form.scrollY()), QPoint(1234, 567));

    // Otherwise the centre cell stays in the middle.
    form.setZoom(100);
    form.centreOnCell(150, 80);
    form.Timer1Timer();
    EXPECT_EQ(form.viewCentreCell(), QPoint(150, 80));
    form.setZoom(50);
    EXPECT_EQ(form.viewOriginX(), form.scrollX()) << "the picture is redrawn whole after a zoom";
    EXPECT_EQ(form.viewCentreCell(), QPoint(150, 80));
    // Back to full size: the centre stays although the position lies
    // beyond what the zoomed-out view could scroll to.
    form.setZoom(100);
    EXPECT_EQ(form.scrollX(), 4650);
    EXPECT_EQ(form.viewCentreCell(), QPoint(150, 80));
}

TEST_F(MapFormView, WheelTurnsWithinOneTickMakeOneZoomStep)
{
    TMapForm &form = show();
    form.setZoom(30);
    // Three notches gathered: 30 x 1.0005^360 = 35.9; one by one it would
    // end at 33.
    turnWheel(form, 120);
    turnWheel(form, 120);
    turnWheel(form, 120);
    EXPECT_EQ(form.zoomPercent(), 30) << "nothing happens before the tick";
    form.Timer1Timer();
    EXPECT_EQ(form.zoomPercent(), 35);
    EXPECT_EQ(form.wheelDelta(), 0);
    turnWheel(form, -120);
    form.Timer1Timer();
    EXPECT_EQ(form.zoomPercent(), 32);
}

TEST_F(MapFormView, DraggingWithTheLeftButtonMovesTheMapWithTheMouse)
{
    TMapForm &form = show();
    form.setScrollX(500);
    form.setScrollY(500);
    form.Timer1Timer();
    pressAt(form, Qt::LeftButton, {200, 200});
    moveTo(form, Qt::LeftButton, {300, 250});
    EXPECT_EQ(form.scrollX(), 320);
    EXPECT_EQ(form.scrollY(), 410);
    EXPECT_EQ(form.viewOriginX(), 500) << "the picture follows at the next tick";
    form.Timer1Timer();
    EXPECT_EQ(form.viewOriginX(), 320);
    EXPECT_EQ(form.viewOriginY(), 410);
    // Far to the right: clamped at the left edge of the map.
    moveTo(form, Qt::LeftButton, {590, 390});
    EXPECT_EQ(form.scrollX(), 0);
    EXPECT_EQ(form.scrollY(), 158);
    releaseAt(form, Qt::LeftButton, {590, 390});
    moveTo(form, Qt::NoButton, {100, 100});
    EXPECT_EQ(form.scrollX(), 0) << "without a button the mouse only points";

    // A faster setting moves further for the same mouse move.
    host.appSettings.scrollSpeed = 3.0f;
    form.setScrollX(1000);
    pressAt(form, Qt::LeftButton, {300, 100});
    moveTo(form, Qt::LeftButton, {200, 100});
    EXPECT_EQ(form.scrollX(), 1300);
}

TEST_F(MapFormView, CentringPutsTheCellCornerInTheMiddleWithinTheMap)
{
    TMapForm &form = show();
    form.centreOnCell(0, 0);
    EXPECT_EQ(QPoint(form.scrollX(), form.scrollY()), QPoint(0, 0));
    form.centreOnCell(299, 168);
    EXPECT_EQ(QPoint(form.scrollX(), form.scrollY()), QPoint(form.scrollMaximumX(), form.scrollMaximumY()));

    // "Centrer ici" acts on the cell of the last press.
    form.centreOnCell(100, 60);
    pressAt(form, Qt::RightButton, {66, 33});
    // The view starts at map pixel (3000, 1780): the press lies in the
    // third column and second row shown.
    EXPECT_EQ(form.targetedCell(), QPoint(92, 54));
    form.CentrerIci->trigger();
    EXPECT_EQ(QPoint(form.scrollX(), form.scrollY()), QPoint(92 * 33 - 300, 54 * 33 - 200));
}

TEST_F(MapFormView, ScrollingShiftsThePictureAndDrawsOnlyWhatCameIntoView)
{
    const ColouredTiles colours(host.tiles);
    TMapForm &form = show(colours.map(120, 80), {500, 350});
    form.repaint();

    const auto expectPictureOfView = [&](const char *step) {
        QImage expected(form.size(), QImage::Format_RGB32);
        MapView view;
        view.cellSize = form.cellSize();
        view.gridGap = form.gridGap();
        view.scrollX = form.viewOriginX();
        view.scrollY = form.viewOriginY();
        ScaledTileCache tiles(host.tiles);
        RenderMap(expected, form.rect(), view, form.document(), host.appSettings, tiles);
        const QImage shownPicture = form.backBuffer();
        QRegion wrong;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (shownPicture.pixel(x, y) != expected.pixel(x, y))
                    wrong += QRect(x, y, 1, 1);
        const QRect box = wrong.boundingRect();
        EXPECT_TRUE(wrong.isEmpty()) << step << ": wrong within " << box.x() << "," << box.y() << " " << box.width()
                                     << "x" << box.height();
    };
    expectPictureOfView("first paint");

    const int minimapBefore = host.minimapRepaints;
    // Steps of a drag in every direction, small and large, far enough to wrap
    // around the back buffer (1000 by 700) more than once. The steps up and
    // left come after the jumps, into parts never drawn before: over parts
    // drawn earlier a strip left out would still show the right pixels.
    const QPoint moves[] = {{37, 0},    {0, 51},   {400, 9},  {-3, 700}, {-20, -13},
                            {25, -17},  {-15, 20}, {650, 333}, {999, 1}, {-1200, -650}};
    for (const QPoint move : moves) {
        form.setScrollX(form.scrollX() + move.x());
        form.setScrollY(form.scrollY() + move.y());
        form.Timer1Timer();
        EXPECT_EQ(form.viewOriginX(), form.scrollX());
        expectPictureOfView("after a scroll step");
    }
    EXPECT_EQ(host.minimapRepaints, minimapBefore + 10) << "the minimap follows every step";

    // Painting a cell redraws around it at once.
    host.paletteShown = true;
    host.leftTile = 103;
    pressAt(form, Qt::LeftButton, {200, 150});
    releaseAt(form, Qt::LeftButton, {200, 150});
    expectPictureOfView("after painting a cell");
    // A part of the window that the system asks to repaint.
    const int column = form.columnAt(40);
    const int row = form.rowAt(40);
    form.document().terrain.at(column, row) = 102;
    const int pitch = form.cellPitch();
    form.repaint(QRect(column * pitch - form.scrollX(), row * pitch - form.scrollY(), pitch, pitch));
    expectPictureOfView("after an expose");
    EXPECT_EQ(form.backBufferSize(), QSize(1000, 700)) << "the back buffer takes the main window's client size";

    // Zoomed out, the same holds.
    form.setZoom(44);
    form.repaint();
    form.setScrollX(form.scrollX() + 29);
    form.Timer1Timer();
    expectPictureOfView("zoomed out");
}
