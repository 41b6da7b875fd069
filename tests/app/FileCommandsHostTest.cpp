// The map file commands on their own, around a stand-in for the main window:
// what they ask of the window that holds the maps.
#include "MainFormTestSupport.h"

#include "app/FileCommandsHost.h"
#include "app/MapFileCommands.h"
#include "app/RecentFiles.h"
#include "ui/MapWindowHost.h"

namespace {

class StandInHost : public FileCommandsHost, public MapWindowHost {
public:
    QWidget *dialogParent() override { return nullptr; }
    TMapForm *activeMapWindow() const override { return windows.empty() ? nullptr : windows.back().get(); }
    QList<TMapForm *> mapWindows() const override
    {
        QList<TMapForm *> list;
        for (const auto &window : windows)
            list.append(window.get());
        return list;
    }
    QMdiSubWindow *subWindowOf(TMapForm *) const override { return nullptr; }
    TMapForm *addMapWindow(std::unique_ptr<CarteVarenthe> document, const QString &caption) override
    {
        windows.push_back(std::make_unique<TMapForm>(*this, std::move(document)));
        captions.append(caption);
        return windows.back().get();
    }
    NewMapPrompt &newMapPrompt() override { return newMaps; }
    void showGeneralError(const QString &text) override { generalErrors.append(text); }
    void UpdateApplicationTitle() override { ++titleUpdates; }
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

    std::vector<std::unique_ptr<TMapForm>> windows;
    QStringList captions;
    QStringList generalErrors;
    ScriptedNewMap newMaps;
    RecentFiles recent;
    int titleUpdates = 0;
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
    EXPECT_EQ(host.windows.back()->document().width, 30);
    EXPECT_EQ(host.recent.files(), QStringList({QFileInfo(folder.path(QStringLiteral("monde.vr"))).absoluteFilePath()}));

    EXPECT_EQ(commands.OpenMapWindow(QStringLiteral("nouvelle.vr")), nullptr) << "the new map was cancelled";
    EXPECT_EQ(host.newMaps.asked, 1);
    host.newMaps.answers.push_back(NewMapRequest{}); // named after the number of open windows
    commands.NouveauFichierExecute();
    EXPECT_EQ(host.captions, QStringList({"monde.vr", "Sans titre 2"}));
    EXPECT_TRUE(host.windows.back()->document().untitled && host.windows.back()->document().modified);

    EXPECT_EQ(commands.OpenMapWindow(QStringLiteral("abime.vr")), nullptr);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Erreur de chargement|")));
    EXPECT_EQ(host.windows.size(), 2u);

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
