// The file commands and the tool windows on their own, around a stand-in for
// the main window: what they ask of the window that holds the maps.
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <map>

#include "MainFormTestSupport.h"
#include "ui/QtUserDialogs.h"
#include "ui/TCitiesForm.h"
#include "ui/TItineraryForm.h"
#include "ui/TMinimapForm.h"
#include "ui/TPaletteForm.h"

namespace {

class StandInHost : public FileCommandsHost, public MapWindowHost, public ToolWindowsHost {
public:
    StandInHost()
    {
        window.setCentralWidget(area);
        window.statusBar()->showMessage(QStringLiteral("prêt"));
        window.resize(800, 600);
        window.show();
        for (Command id : {Command::MontrerMinipelmorin, Command::MontrerVilles, Command::MontrerPalette})
            actions[id] = new QAction(&window), actions[id]->setCheckable(true);
    }
    QWidget *dialogParent() override { return nullptr; }
    TMapForm *activeMapWindow() const override { return windows.value(windows.size() - 1); }
    QList<TMapForm *> mapWindows() const override { return windows; }
    QMdiSubWindow *subWindowOf(TMapForm *) const override { return nullptr; }
    TMapForm *addMapWindow(std::unique_ptr<CarteVarenthe> document, const QString &caption) override
    {
        owned.push_back(std::make_unique<TMapForm>(*this, std::move(document)));
        captions.append(caption);
        return windows.append(owned.back().get()), windows.last();
    }
    NewMapPrompt &newMapPrompt() override { return newMaps; }
    void showGeneralError(const QString &text) override { generalErrors.append(text); }
    void UpdateApplicationTitle() override {}
    RecentFiles &recentFiles() override { return recent; }

    AppSettings &settings() override { return appSettings; }
    TileLibrary &tileLibrary() override { return tiles; }
    void MapWindowActivated(TMapForm *) override {}
    void setStatusPanelText(int, const QString &) override {}
    QSize mainClientSize() const override { return {800, 600}; }
    bool paletteVisible() const override { return false; }
    int SelectedTile(int) const override { return -1; }
    bool SaveMap(TMapForm *) override { return false; }
    void repaintMinimap() override {}

    QWidget *frame() override { return &window; }
    QMdiArea *mdiArea() const override { return area; }
    QStatusBar *frameStatusBar() const override { return window.statusBar(); }
    QAction *command(Command id) const override { return actions.at(id); }

    QMainWindow window;
    QMdiArea *area = new QMdiArea;
    std::map<Command, QAction *> actions;
    std::vector<std::unique_ptr<TMapForm>> owned;
    QList<TMapForm *> windows;
    QStringList captions, generalErrors;
    ScriptedNewMap newMaps;
    RecentFiles recent;
    AppSettings appSettings;
    TileLibrary tiles;
};

} // namespace

TEST(FileCommandsAlone, OpenReadsAMapAsksForANewOneOrReportsADamagedFile)
{
    ScratchProgram folder;
    folder.writeMap(QStringLiteral("monde.vr"), 30, 20, 1);
    folder.writeText(QStringLiteral("abime.vr"), QByteArray("PMVR pas une carte"));
    ScriptedDialogs dialogs;
    StandInHost host;
    MapFileCommands commands(host);

    ASSERT_NE(commands.OpenMapWindow(QStringLiteral("monde.vr")), nullptr);
    EXPECT_EQ(host.captions, QStringList({"monde.vr"}));
    EXPECT_EQ(host.windows.last()->document().width, 30);
    EXPECT_EQ(host.recent.files(), QStringList({QFileInfo(folder.path(QStringLiteral("monde.vr"))).absoluteFilePath()}));

    EXPECT_EQ(commands.OpenMapWindow(QStringLiteral("nouvelle.vr")), nullptr) << "the new map was cancelled";
    EXPECT_EQ(host.newMaps.asked, 1);
    host.newMaps.answers.push_back(NewMapRequest{}); // named after the number of open windows
    commands.NouveauFichierExecute();
    EXPECT_EQ(host.captions, QStringList({"monde.vr", "Sans titre 2"}));
    EXPECT_TRUE(host.windows.last()->document().untitled && host.windows.last()->document().modified);

    EXPECT_EQ(commands.OpenMapWindow(QStringLiteral("abime.vr")), nullptr);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Erreur de chargement|")));
    EXPECT_EQ(host.windows.size(), 2);

    // A picture: bitmaps first, then PNG; a name with an extension no format has is refused.
    const FileRequest picture = commands.bitmapRequest();
    EXPECT_EQ(picture.filters, QStringList({"Tous les fichiers (*.*)", "Image Bitmap (*.bmp)", "Image PNG (*.png)"}));
    EXPECT_EQ(picture.filterSuffixes, QStringList({"bmp", "bmp", "png"}));
    EXPECT_EQ(std::make_pair(picture.defaultSuffix, picture.selectedFilter), std::make_pair(QString("bmp"), 1));
    dialogs.saveAnswers.push_back(folder.path(QStringLiteral("carte.gif")));
    commands.EnregistrerBitmapExecute();
    ASSERT_EQ(host.generalErrors.size(), 1);
    EXPECT_FALSE(QFile::exists(folder.path(QStringLiteral("carte.gif"))));
}

// On the real open dialog, "Tous les fichiers (*.*)" lists every file, also the
// names without a dot that the pattern "*.*" hides on Linux.
TEST(FileCommandsAlone, EveryFileFilterOfTheOpenDialogShowsNamesWithoutADot)
{
    ScratchProgram folder;
    folder.writeText(QStringLiteral("carte-sans-extension"), QByteArray("x"));
    QtUserDialogs real;
    FileRequest request = MapFileCommands::openRequest(); // maps first, every file the other choice
    EXPECT_EQ(request.filters, QStringList({"Tous les fichiers (*.*)", "Cartes de Varenthe (*.vr)"}));
    EXPECT_EQ(request.defaultSuffix, "vr");
    request.startPath = folder.path(QString());

    QStringList seen; // the patterns, the type picked, the patterns then
    QTimer::singleShot(300, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto *model = dialog->findChild<QFileSystemModel *>();
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        ASSERT_TRUE(model && types);
        seen << model->nameFilters().join(' ');
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Up); // the first entry of the file types
        QTest::qWait(200);
        seen << types->currentText() << model->nameFilters().join(' ');
        dialog->reject();
    });
    EXPECT_TRUE(real.openFile(nullptr, request).isEmpty());
    EXPECT_EQ(seen, QStringList({"*.vr", "Tous les fichiers (*.*)", "*"}));
}

// The minimap is placed in the frame's top-right corner and shown for world
// maps only, whatever the tick says otherwise.
TEST(ToolWindowsAlone, TheMinimapSitsTopRightAndWaitsForAWorldMap)
{
    StandInHost host;
    ToolWindows tools(host);
    // Above their frame only: a stay-on-top hint would put them over the program's dialogs and the browser.
    for (QWidget *tool : {static_cast<QWidget *>(tools.MinimapForm), static_cast<QWidget *>(tools.CitiesForm),
                          static_cast<QWidget *>(tools.PaletteForm), static_cast<QWidget *>(tools.ItineraryForm)})
        EXPECT_TRUE(tool->windowType() == Qt::Tool && tool->parentWidget() == host.frame()
                    && !tool->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            << tool->objectName().toStdString();
    tools.PlaceToolWindow(tools.MinimapForm);
    const QPoint corner = host.area->mapToGlobal(QPoint(host.area->width(), 0));
    EXPECT_EQ(tools.MinimapForm->frameGeometry().topRight() + QPoint(1, 0), corner);

    // Ticked, but no world map is active: it stays out of sight, tick kept.
    host.command(Command::MontrerMinipelmorin)->setChecked(true);
    tools.MontrerMinipelmorinExecute(true);
    EXPECT_FALSE(tools.MinimapForm->isVisible());
    EXPECT_TRUE(host.command(Command::MontrerMinipelmorin)->isChecked());
}
