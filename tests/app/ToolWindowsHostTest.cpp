// The tool windows on their own, around a stand-in for the main window: the
// minimap placed in the frame's top-right corner and shown for world maps
// only, whatever the tick says otherwise.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>
#include <map>

#include "app/ToolWindows.h"
#include "app/ToolWindowsHost.h"
#include "render/TileLibrary.h"
#include "ui/TMinimapForm.h"

namespace {

class StandInFrame : public ToolWindowsHost {
public:
    StandInFrame()
    {
        window.setCentralWidget(area);
        window.statusBar()->showMessage(QStringLiteral("prêt"));
        window.resize(800, 600);
        window.show();
        for (Command id : {Command::MontrerMinipelmorin, Command::MontrerVilles, Command::MontrerPalette}) {
            actions[id] = new QAction(&window);
            actions[id]->setCheckable(true);
        }
    }
    QWidget *frame() override { return &window; }
    QMdiArea *mdiArea() const override { return area; }
    QStatusBar *frameStatusBar() const override { return window.statusBar(); }
    TMapForm *activeMapWindow() const override { return nullptr; }
    QAction *command(Command id) const override { return actions.at(id); }
    TileLibrary &tileLibrary() override { return tiles; }

    QMainWindow window;
    QMdiArea *area = new QMdiArea;
    std::map<Command, QAction *> actions;
    TileLibrary tiles;
};

} // namespace

TEST(ToolWindowsAlone, TheMinimapSitsTopRightAndWaitsForAWorldMap)
{
    StandInFrame host;
    ToolWindows tools(host);
    tools.PlaceToolWindow(tools.MinimapForm);
    const QPoint corner = host.area->mapToGlobal(QPoint(host.area->width(), 0));
    EXPECT_EQ(tools.MinimapForm->frameGeometry().topRight() + QPoint(1, 0), corner);

    // Ticked, but no world map is active: it stays out of sight, tick kept.
    host.command(Command::MontrerMinipelmorin)->setChecked(true);
    tools.MontrerMinipelmorinExecute(true);
    EXPECT_FALSE(tools.MinimapForm->isVisible());
    EXPECT_TRUE(host.command(Command::MontrerMinipelmorin)->isChecked());
}
