// The minimap: where its frame lies for a map window's view, and where a click or drag sends that view.
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
    // 4950 x s = 90.97, 2700 x s = 49.6, (600 + 4950) x s = 101.99, (400 + 2700) x s = 56.97.
    const QImage picture = form.grab().toImage();
    for (const auto &[x, y, white] : {std::tuple{90, 49, true}, {100, 55, true}, {95, 49, true}, {101, 55, false},
                                      {95, 52, false}, {5, 5, false}})
        EXPECT_EQ(QColor(picture.pixel(x, y)), white ? QColor(Qt::white) : QColor(20, 90, 30)) << x << "," << y;

    view = worldView(0, 0);
    QSignalSpy scroll(&form, &TMinimapForm::scrollRequested);
    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(50, 30));
    QTest::mouseMove(&form, QPoint(60, 30));
    QTest::mouseMove(&form, QPoint(70, 35));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(70, 35));
    ASSERT_GE(scroll.count(), 3) << "a drag asks at every move";
    // 50 / s - 300 = 2420.74 and 30 / s - 200 = 1432.4, truncated.
    EXPECT_EQ(scroll.first(), (QList<QVariant>{2420, 1432}));
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(187, 101));
    EXPECT_EQ(scroll.last(), (QList<QVariant>{view.maxScrollX, view.maxScrollY})) << "within the scroll limits";
    // With no active map window nothing is asked.
    form.setViewSource([] { return std::optional<MinimapView>(); });
    scroll.clear();
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(50, 30));
    EXPECT_EQ(scroll.count(), 0);
}
