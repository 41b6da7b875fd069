// Start-up and exit as the configuration file sees them: a first run, a second
// that finds everything as it was left, a file edited by hand.
#include "settings/ConfigFile.h"
#include "settings/ConfigOpenMaps.h"
#include "settings/SettingsStore.h"
#include "settings/AppSettings.h"
#include "settings/AspectList.h"
#include "settings/ProgramFolder.h"
#include "SettingsTestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

const QLocale French(QLocale::French, QLocale::France);

// Stands in for the main window and logs what it was asked.
class RecordingHost : public SettingsHost {
public:
    void addAspectMenuItem(const QString &caption) override { log << "menu " + caption; }
    void selectAspectFolder(const QString &folder) override { aspect = folder; }
    QString aspectFolder() const override { return aspect; }
    void setCityListTicked(bool ticked) override { cityList = ticked; }
    bool cityListTicked() const override { return cityList; }
    void setMinimapTicked(bool ticked) override { minimap = ticked; }
    bool minimapTicked() const override { return minimap; }
    void resizeWindow(int w, int h) override { log << QString("resize %1x%2").arg(w).arg(h), frame.setSize({w, h}); }
    void moveWindow(int x, int y) override { log << QString("move %1,%2").arg(x).arg(y), frame.moveTo(x, y); }
    void maximiseWindow() override { log << "maximise"; maximised = true; }
    QRect windowFrame() const override { return frame; }
    bool windowMaximised() const override { return maximised; }
    QList<QRect> availableScreenAreas() const override { return screens; }

    QStringList log;
    QString aspect;
    bool cityList = false, minimap = false, maximised = false;
    QRect frame{30, 40, 10, 10}; // where the system would put it
    QList<QRect> screens;
};

class SettingsRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramFolder::setPath(program_.path());
        ASSERT_TRUE(QDir::setCurrent(program_.path()));
    }
    void TearDown() override { ProgramFolder::setPath(QString()), QDir::setCurrent(startDir_); }

    // One run of the program: a fresh window, settings record and library.
    struct Run {
        Run() : config(".\\pelmorin.cfg", French), store(config, settings, aspects, host) {}
        ConfigFile config;
        AppSettings settings;
        AspectList aspects;
        RecordingHost host;
        SettingsStore store;
    };

    // A run started on a settings file of the given bytes (none: no file).
    std::unique_ptr<Run> startWith(const QByteArray &file = {}, const QList<QRect> &screens = {})
    {
        if (QFile out(cfg()); !file.isEmpty() && out.open(QIODevice::WriteOnly))
            out.write(file);
        auto run = std::make_unique<Run>();
        run->host.screens = screens;
        run->store.LoadSettings();
        return run;
    }
    QString cfg() const { return program_.filePath("pelmorin.cfg"); }
    static QString entries(const ConfigFile &config, const QString &section)
    {
        QStringList lines;
        for (const ConfigEntry &entry : config.readSection(section))
            lines << entry.key + "=" + entry.value;
        return lines.join(' ');
    }

    QTemporaryDir program_;
    const QString startDir_ = QDir::currentPath();
};

} // namespace

// The first run writes the list of maps and the aspects; the exit every setting at its default.
TEST_F(SettingsRun, FirstRunOpensTheSampleMapAndLeavesAFullFile)
{
    const std::unique_ptr<Run> run = startWith();
    EXPECT_EQ(run->config.sectionNames(), QStringList({"Cartes Ouvertes", "Carte 0", "Aspects"}));
    const QList<ConfigEntry> maps = readOpenMapList(run->config);
    ASSERT_EQ(maps.size(), 1);
    writeOpenMapList(run->config, {{false, maps[0].value, readMapWindowPlacement(run->config, maps[0].key)}});
    run->store.SaveSettings();
    expectGoldenFile(bytesOf(cfg()), "first-run.cfg");
}

// What one run saves the next reads: a second save gives the same bytes.
TEST_F(SettingsRun, EverythingChangedComesBackAtTheNextStart)
{
    QByteArray saved;
    {
        const std::unique_ptr<Run> first = startWith();
        first->host.selectAspectFolder(first->aspects.folderForCaption("&Hiver"));
        AppSettings &s = first->settings;
        s.scrollSpeed = 2.5f;
        s.gridGap = 0;
        s.useWingsGift = s.allowEmbark = s.allowAbandon = s.timesBackground = true;
        s.showTimes = s.showProvinceNames = s.namesBackground = s.highlightBorders = s.showBorderLines = false;
        s.borderColour = 0x000000FF;
        s.timesFont = makeFontSetting("Verdana", 9, 0x0000FF00);
        s.namesFont = makeFontSetting("Times New Roman", 20, 0x00FF0000);
        s.timesShown = TimesShown::WhenReadable;
        s.provinceNamesThatFit = s.showCityNames = true;
        first->host.cityList = true;
        first->host.minimap = false;
        first->host.frame = QRect(30, 40, 1024, 700);
        first->host.maximised = true;
        first->store.SaveSettings();
        saved = bytesOf(cfg());
    }
    const std::unique_ptr<Run> second = startWith();
    // Size, place, then maximised, so un-maximising gives back the recorded bounds.
    EXPECT_EQ(second->host.log.mid(2), QStringList({"resize 1024x700", "move 30,40", "maximise"}));
    second->store.SaveSettings();
    EXPECT_EQ(QString::fromLatin1(bytesOf(cfg())), QString::fromLatin1(saved));
}

TEST_F(SettingsRun, HandEditedValuesFallBackToTheirDefaultsAndAbsurdOnesAreBroughtIntoRange)
{
    std::unique_ptr<Run> run = startWith(
        "[Affichage]\r\nCouleur Fronti\xe8res=0xFF\r\nCouleur Temps=red\r\n"
        "Vitesse D\xe9\x66ilement=abc\r\nTaille Temps=0\r\n[Fenetre]\r\nx=-1\r\ny=10\r\nLargeur=large\r\n");
    const AppSettings &s = run->settings;
    EXPECT_EQ(s.borderColour, 255u); // red
    EXPECT_EQ(s.timesFont.colour, 0x00FFFFFFu);
    EXPECT_FLOAT_EQ(s.scrollSpeed, 1.8f);
    EXPECT_EQ(s.timesFont.font.pointSize(), 7);
    EXPECT_EQ(run->host.log.mid(2), QStringList({"resize 800x600"})) << "x at -1: the system places it";

    run = startWith("[Cartes Ouvertes]\r\n[Affichage]\r\nGrille=2147483647\r\nVitesse D\xe9""filement=1E30\r\n"
                    "Taille Temps=2147483647\r\nTaille Noms Provinces=-3\r\n"
                    "[Carte 0]\r\nEchelle=2147483647\r\nx=-2147483648\r\ny=99999999\r\n[Carte 1]\r\nEchelle=-4\r\n");
    EXPECT_EQ(run->settings.gridGap, 16);
    EXPECT_EQ(run->settings.scrollSpeed, 50.0f);
    EXPECT_EQ(run->settings.timesFont.font.pointSize(), 144);
    EXPECT_EQ(run->settings.namesFont.font.pointSize(), 14) << "not a size: the default";
    const MapWindowPlacement far = readMapWindowPlacement(run->config, "Carte 0");
    EXPECT_EQ(QList<int>({far.zoomPercent, far.centreColumn, far.centreRow}), QList<int>({100, 0, 4095}));
    EXPECT_EQ(readMapWindowPlacement(run->config, "Carte 1").zoomPercent, 5);

    run = startWith("[Cartes Ouvertes]\r\n[Affichage]\r\nGrille=-2147483648\r\nVitesse D\xe9""filement=-7\r\n");
    EXPECT_EQ(run->settings.gridGap, 0);
    EXPECT_EQ(run->settings.scrollSpeed, 0.1f);
}

// Bounds from the file bring the window onto one of two screens side by side
// (the second lower) at a size that fits, and are saved so.
TEST_F(SettingsRun, TheMainWindowLandsOnAScreenAtASizeThatFitsIt)
{
    const struct {
        const char *window;
        QRect expected;
    } cases[] = {
        {"Largeur=2147483647\r\nHauteur=2147483647\r\nx=100000\r\ny=100000", QRect(0, 0, 1920, 1040)},
        {"Largeur=800\r\nHauteur=600\r\nx=-100000\r\ny=-100000", QRect(0, 0, 800, 600)},
        {"Largeur=800\r\nHauteur=600\r\nx=3000\r\ny=900", QRect(2400, 384, 800, 600)},
        {"Largeur=-5\r\nHauteur=0\r\nx=-2147483648\r\ny=2147483647", QRect(0, 890, 150, 150)},
        // Placed by the system: only the size is fitted, to the first screen.
        {"Largeur=5000\r\nHauteur=300\r\nx=-1\r\ny=-1", QRect(30, 40, 1920, 300)},
    };
    for (const auto &example : cases) {
        const std::unique_ptr<Run> run = startWith(QByteArray("[Cartes Ouvertes]\r\n[Fenetre]\r\n") + example.window,
                                                   {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)});
        EXPECT_EQ(run->host.frame, example.expected) << example.window;
        run->store.SaveSettings();
        const QRect &r = example.expected;
        EXPECT_EQ(entries(run->config, "Fenetre"), QStringLiteral("Largeur=%1 Hauteur=%2 x=%3 y=%4 Maximisee=0")
                                                       .arg(r.width()).arg(r.height()).arg(r.left()).arg(r.top()))
            << example.window;
    }
}

TEST_F(SettingsRun, NoRecordedMapMeansTheSampleMapAgainAndAspectsOfOneNameLeadToTheFirst)
{
    {
        const std::unique_ptr<Run> run = startWith();
        run->config.writeInteger("Carte 0", "x", 5); // moved around the sample map, then closed it
        writeOpenMapList(run->config, {{true, "Sans titre", {}}});
        EXPECT_FALSE(run->config.sectionExists("Cartes Ouvertes"));
        run->store.SaveSettings();
    }
    const std::unique_ptr<Run> again = startWith();
    EXPECT_EQ(readOpenMapList(again->config).size(), 1);
    EXPECT_EQ(readMapWindowPlacement(again->config, "Carte 0").centreColumn, 169);

    const std::unique_ptr<Run> run =
        startWith("[Cartes Ouvertes]\r\n[Aspects]\r\nHiver=.\\img\\4\\\r\nhiver=.\\img\\9\\\r\n");
    EXPECT_EQ(run->host.log.mid(0, 2), QStringList({"menu &Hiver", "menu &hiver"}));
    EXPECT_EQ(run->aspects.folderForCaption("&hiver"), ".\\img\\4\\");
    EXPECT_EQ(run->aspects.folderForCaption("&Automne"), QString());
}

TEST_F(SettingsRun, AConfigurationThatCannotBeWrittenIsReportedByName)
{
    const QString lost = program_.filePath("parti/pelmorin.cfg");
    ConfigFile config(lost, French);
    AppSettings settings;
    AspectList aspects;
    RecordingHost host;
    SettingsStore store(config, settings, aspects, host);

    for (const auto &pass : {std::function<void()>([&] { store.LoadSettings(); }),
                             std::function<void()>([&] { store.SaveSettings(); }),
                             std::function<void()>([&] { writeOpenMapList(config, {{false, "a.vr", {}}}); })}) {
        try {
            pass();
            ADD_FAILURE() << "a refused write went unnoticed";
        } catch (const ConfigWriteError &error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QDir::toNativeSeparators(lost))) << error.what();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(lost));

    // Even so, it starts with the usual aspects and every default.
    EXPECT_EQ(host.log, QStringList({"menu &Eté", "menu &Hiver", "resize 800x600"}));
    EXPECT_EQ(host.aspect, ".\\img\\1\\");
    EXPECT_TRUE(host.minimap);
}
