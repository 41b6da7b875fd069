// The minimap window: its frame drawn over the overview, and the scrolls its clicks and drags ask for.
#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "settings/ProgramFolder.h"
#include "ui/MinimapGeometry.h"
#include "ui/TMinimapForm.h"

namespace {

// A 600 by 400 world map window over a 300 by 169 map, at zoom 100 with the grid.
MinimapView worldView(int scrollX, int scrollY)
{
    return MinimapView{scrollX, scrollY, 600, 400, 33, 300 * 33 - 600, 169 * 33 - 400};
}

} // namespace

TEST(MinimapWindow, DrawsTheOverviewWithAWhiteFrameAndALeftClickOrDragAsksForScrolling)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("img"));
    QImage overview(MinimapWidth, MinimapHeight, QImage::Format_Indexed8);
    overview.setColorTable({qRgb(20, 90, 30)});
    overview.fill(0);
    ASSERT_TRUE(overview.save(QDir(folder.path()).filePath(TMinimapForm::overviewFileName())));
    const QString previousFolder = ProgramFolder::path();
    ProgramFolder::setPath(folder.path());
    TMinimapForm form;
    ProgramFolder::setPath(previousFolder);
    MinimapView view = worldView(4950, 2700);
    form.setViewSource([&view] { return std::optional<MinimapView>(view); });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.size(), QSize(188, 102));
    // The frame runs from (90, 49) to (101, 56), its right and bottom ends left out.
    const QImage picture = form.grab().toImage();
    for (const auto &[x, y, white] : {std::tuple{90, 49, true}, {100, 55, true}, {101, 55, false}, {95, 52, false}})
        EXPECT_EQ(QColor(picture.pixel(x, y)), white ? QColor(Qt::white) : QColor(20, 90, 30)) << x << "," << y;

    view = worldView(0, 0);
    QSignalSpy scroll(&form, &TMinimapForm::scrollRequested);
    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(50, 30));
    QTest::mouseMove(&form, QPoint(60, 30));
    QTest::mouseMove(&form, QPoint(70, 35));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(70, 35));
    ASSERT_GE(scroll.count(), 3) << "a drag asks at every move";
    EXPECT_EQ(scroll.first(), (QList<QVariant>{2420, 1432}));
    // With no active map window nothing is asked.
    form.setViewSource([] { return std::optional<MinimapView>(); });
    scroll.clear();
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(50, 30));
    EXPECT_EQ(scroll.count(), 0);
}
