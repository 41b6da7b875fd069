// The minimap: where its frame lies for a map window's view, and where a
// click or drag sends that view.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "render/TileLibrary.h"
#include "ui/MinimapGeometry.h"
#include "ui/TMinimapForm.h"
#include "settings/ProgramFolder.h"

namespace {

// A world map window at zoom 100 with the grid shown: cells of 32 pixels
// plus a one-pixel gap, over a 300 by 169 map.
MinimapView worldView(int scrollX, int scrollY, int width = 600, int height = 400)
{
    return MinimapView{scrollX, scrollY, width, height, 33, 300 * 33 - width, 169 * 33 - height};
}

} // namespace

TEST(MinimapGeometry, TheFrameFollowsThePitchAndAClickCentresTheViewWithinTheScrollLimits)
{
    // The middle of the map is drawn by the window's own test; here the
    // corner, at zoom 100 with the grid and at zoom 50 without (pitch 16),
    // where the same window covers twice as much.
    EXPECT_EQ(minimapFrame(worldView(0, 0)), (MinimapFrame{0, 0, 11, 7}));
    MinimapView half = worldView(0, 0);
    half.cellPitch = 16;
    EXPECT_EQ(minimapFrame(half), (MinimapFrame{0, 0, 22, 15}));

    const MinimapView view = worldView(3300, 1650);
    const MinimapFrame frame = minimapFrame(view);
    const QPoint scroll = minimapScrollFor(view, QPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2));
    // Clicking the frame's centre leaves the view where it is, up to the
    // truncation of the frame's edges and of its centre (two overview pixels).
    const double pixel = 2.0 / minimapScale(33);
    EXPECT_LE(std::abs(scroll.x() - view.scrollX), pixel);
    EXPECT_LE(std::abs(scroll.y() - view.scrollY), pixel);
    // Near the top-left and bottom-right corners the positions are clamped.
    EXPECT_EQ(minimapScrollFor(view, QPoint(1, 1)), QPoint(0, 0));
    EXPECT_EQ(minimapScrollFor(view, QPoint(187, 101)), QPoint(view.maxScrollX, view.maxScrollY));
}

class MinimapWindow : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString previousFolder = ProgramFolder::path();

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath(QStringLiteral("img"));
        QImage overview(MinimapWidth, MinimapHeight, QImage::Format_Indexed8);
        overview.setColorTable({qRgb(20, 90, 30)});
        overview.fill(0);
        ASSERT_TRUE(overview.save(QDir(folder.path()).filePath(TMinimapForm::overviewFileName())));
        ProgramFolder::setPath(folder.path());
    }
    void TearDown() override { ProgramFolder::setPath(previousFolder); }
};

TEST_F(MinimapWindow, DrawsTheOverviewWithAWhiteFrameAndALeftClickOrDragAsksForScrolling)
{
    TMinimapForm form;
    EXPECT_EQ(form.overviewImage().size(), QSize(188, 102));
    MinimapView view = worldView(4950, 2700);
    form.setViewSource([&view] { return std::optional<MinimapView>(view); });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.size(), QSize(188, 102));
    const QImage picture = form.grab().toImage();
    const QColor white(Qt::white);
    const QColor land(20, 90, 30);
    // Scrolled to the middle of the map: 4950 x s = 90.97, 2700 x s = 49.6,
    // (600 + 4950) x s = 101.99, (400 + 2700) x s = 56.97.
    EXPECT_EQ(QColor(picture.pixel(90, 49)), white);
    EXPECT_EQ(QColor(picture.pixel(100, 55)), white);
    EXPECT_EQ(QColor(picture.pixel(95, 49)), white);
    EXPECT_EQ(QColor(picture.pixel(101, 55)), land);
    EXPECT_EQ(QColor(picture.pixel(95, 52)), land);
    EXPECT_EQ(QColor(picture.pixel(5, 5)), land);

    view = worldView(0, 0);
    QSignalSpy scroll(&form, &TMinimapForm::scrollRequested);

    QTest::mouseClick(&form, Qt::RightButton, {}, QPoint(50, 30));
    EXPECT_EQ(scroll.count(), 0);

    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(50, 30));
    QTest::mouseMove(&form, QPoint(60, 30));
    QTest::mouseMove(&form, QPoint(70, 35));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(70, 35));
    ASSERT_GE(scroll.count(), 3);
    // 50 / s - 300 = 2420.74 and 30 / s - 200 = 1432.4, truncated.
    EXPECT_EQ(scroll.first().at(0).toInt(), 2420);
    EXPECT_EQ(scroll.first().at(1).toInt(), 1432);
    const QPoint last = minimapScrollFor(view, QPoint(70, 35));
    EXPECT_EQ(scroll.last().at(0).toInt(), last.x());
    EXPECT_EQ(scroll.last().at(1).toInt(), last.y());

    // With no active map window nothing is asked.
    form.setViewSource([] { return std::optional<MinimapView>(); });
    scroll.clear();
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(50, 30));
    EXPECT_EQ(scroll.count(), 0);

    QSignalSpy closed(&form, &TMinimapForm::closed);
    form.close();
    EXPECT_EQ(closed.count(), 1);
}
