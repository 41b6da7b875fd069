// The settings file as the program and a user who edits it by hand see it: where
// it is, how it reads and writes, what one run leaves for the next.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <csignal>
#include <functional>
#include <sys/resource.h>

#include "settings/AppSettings.h"
#include "settings/AspectList.h"
#include "settings/ConfigFile.h"
#include "settings/ConfigOpenMaps.h"
#include "settings/ProgramFolder.h"
#include "settings/SettingsStore.h"

namespace {

const QLocale French(QLocale::French, QLocale::France);
const QLocale English(QLocale::English, QLocale::UnitedStates);

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Held against tests/settings/data/<name>; PELMORIN_UPDATE_GOLDEN=1 remakes it, to be read before committing.
void expectGoldenFile(const QByteArray &bytes, const QString &name)
{
    QFile golden(QStringLiteral(PELMORIN_SOURCE_DIR "/tests/settings/data/") + name);
    if (qEnvironmentVariable("PELMORIN_UPDATE_GOLDEN") == QStringLiteral("1"))
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly) && golden.write(bytes) == bytes.size());
    else
        EXPECT_EQ(QString::fromLatin1(bytes), QString::fromLatin1(bytesOf(golden.fileName()))) << name.toStdString();
}

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
    void maximiseWindow() override { log << "maximise", maximised = true; }
    QRect windowFrame() const override { return frame; }
    bool windowMaximised() const override { return maximised; }
    QList<QRect> availableScreenAreas() const override { return screens; }

    QStringList log;
    QString aspect;
    bool cityList = false, minimap = false, maximised = false;
    QRect frame{30, 40, 10, 10}; // where the system would put it
    QList<QRect> screens;
};

// One run of the program: a fresh window, settings record and library.
struct ProgramRun {
    explicit ProgramRun(const QString &file = ".\\pelmorin.cfg") : config(file, French), store(config, settings, aspects, host) {}
    ConfigFile config;
    AppSettings settings;
    AspectList aspects;
    RecordingHost host;
    SettingsStore store;
};

// A program folder, also the current directory, holding the settings file.
class SettingsFolder : public ::testing::Test {
protected:
    void SetUp() override { ProgramFolder::setPath(dir.path()), QDir::setCurrent(dir.path()); }
    void TearDown() override { ProgramFolder::setPath(QString()), QDir::setCurrent(startDir); }

    QString at(const QString &relative) const { return dir.filePath(relative); }
    QString cfgPath() const { return at("pelmorin.cfg"); }
    QByteArray bytes() const { return bytesOf(cfgPath()); }
    void writeBytes(const QByteArray &bytes)
    {
        QFile file(cfgPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A run started on a settings file of the given bytes (none: no file).
    std::unique_ptr<ProgramRun> startWith(const QByteArray &file = {}, const QList<QRect> &screens = {})
    {
        if (!file.isEmpty())
            writeBytes(file);
        auto run = std::make_unique<ProgramRun>();
        run->host.screens = screens;
        run->store.LoadSettings();
        return run;
    }

    QTemporaryDir dir;
    const QString startDir = QDir::currentPath();
};

using ConfigFileOnDisk = SettingsFolder;
using SettingsRun = SettingsFolder;
using FileLocations = SettingsFolder;

} // namespace

// Edited by hand on Unix (comments, LF, spaces, capitals, a section twice):
// keys change in place as spelt, new ones go at the end of their section,
// erasing takes every section of the name, all written Windows-1252 in CR LF.
TEST_F(ConfigFileOnDisk, WritesKeepTheUsersLayout)
{
    writeBytes("; mes r\xe9glages\n[Cartes Ouvertes]\nCarte 0=a.vr\n\n[AFFICHAGE]\nGRILLE = 2\n"
               "SURLIGNER FRONTI\xc8RES=0\n; commentaire=ignor\xe9\nligne sans signe\n"
               "[Carte 5]\nx=1\n[Aspects]\nEt\xe9=.\\img\\1\\\n[carte 5]\ny=2\n");
    ConfigFile config(cfgPath(), French);
    EXPECT_EQ(config.readSection("Affichage").size(), 2) << "comments and lines without a sign are no entries";
    EXPECT_EQ(config.sectionNames(), QStringList({"Cartes Ouvertes", "AFFICHAGE", "Carte 5", "Aspects", "carte 5"}));

    config.writeString("cartes ouvertes", "CARTE 0", "b.vr");
    config.writeString("Cartes Ouvertes", "Carte 1", "c.vr");
    config.writeInteger("Affichage", "Grille", 0);
    config.writeFloat("Affichage", "Vitesse Défilement", double(1.8f));
    config.eraseSection("Carte 5");
    config.writeString("Aspects", "Hiver €", "coût");
    config.writeBool("Valeurs", "vrai", true);
    config.writeBool("Valeurs", "faux", false);
    config.writeInteger("Valeurs", "négatif", -16777216);
    expectGoldenFile(bytes(), "hand-edited.cfg");
    EXPECT_FALSE(config.readBool("Affichage", "Surligner Frontières", true));
    EXPECT_EQ(config.readString("ASPECTS", "ETÉ", ""), ".\\img\\1\\");
    EXPECT_EQ(config.readString("Aspects", "hiver €", ""), "coût");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"pelmorin.cfg"}));

    ConfigFile elsewhere(at("absent.cfg"), French);
    elsewhere.eraseSection("Cartes Ouvertes");
    EXPECT_FALSE(QFile::exists(at("absent.cfg")));
}

TEST_F(ConfigFileOnDisk, NumbersAndBoolsReadAsTheUserWroteThemAndFloatsFollowTheDesktop)
{
    const std::pair<const char *, int32_t> cases[] = {
        {"0XfF", 255}, {"0x", 77}, {"0xFFFFFFFF", -1}, {"0x100000000", 77}, {"0xG1", 77}, {"-12", -12},
        {"+5", 5}, {"12abc", 77}, {"", 77}, {"2147483647", 2147483647}, {"2147483648", 77},
        {"-2147483648", std::numeric_limits<int32_t>::min()}, {"1.5", 77},
    };
    QByteArray text = "[Valeurs]\r\noui=oui\r\nzero=0\r\nmoins=-1\r\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        text += "k" + QByteArray::number(qulonglong(i)) + "=" + cases[i].first + "\r\n";
    writeBytes(text);

    ConfigFile config(cfgPath(), French);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(config.readInteger("Valeurs", QStringLiteral("k%1").arg(i), 77), cases[i].second) << cases[i].first;
    // Any number but 0 is true; a word is no bool.
    EXPECT_TRUE(config.readBool("Valeurs", "moins", false));
    EXPECT_FALSE(config.readBool("Valeurs", "zero", true));
    EXPECT_FALSE(config.readBool("Valeurs", "oui", false));

    // Floats follow the desktop's decimal separator.
    const double speed = double(1.8f);
    EXPECT_EQ(ConfigFile::formatFloat(speed, French), "1,79999995231628");
    EXPECT_EQ(ConfigFile::formatFloat(speed, English), "1.79999995231628");
    // No group separators, no padding, an exponent only beyond the ends.
    const std::pair<double, const char *> shapes[] = {
        {0, "0"}, {-2.5, "-2,5"}, {0.00001, "0,00001"}, {1.5e-7, "1,5E-7"},
        {123456789012345.0, "123456789012345"}, {1e15, "1E15"}, {1.0 / 3, "0,333333333333333"},
    };
    for (const auto &[value, text] : shapes) {
        EXPECT_EQ(ConfigFile::formatFloat(value, French), QString::fromUtf8(text)) << value;
        const std::optional<double> back = ConfigFile::parseFloat(QString::fromUtf8(text), French);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_NEAR(*back, value, std::abs(value) * 1e-14) << text;
    }

    // Moved between a French and an English desktop: not understood, the default.
    writeBytes("[Affichage]\r\nVitesse D\xe9\x66ilement=2,5\r\nPoint=2.5\r\nMot=abc\r\nVide=\r\n"
               "Groupes=1 000,5\r\nDeux=1,2,3\r\n");
    ConfigFile french(cfgPath(), French);
    ConfigFile english(cfgPath(), English);
    for (const char *key : {"Vitesse Défilement", "Point", "Mot", "Vide", "Groupes", "Deux", "Absent"}) {
        EXPECT_DOUBLE_EQ(french.readFloat("Affichage", key, 1.8), std::string(key) == "Vitesse Défilement" ? 2.5 : 1.8) << key;
        EXPECT_DOUBLE_EQ(english.readFloat("Affichage", key, 1.8), std::string(key) == "Point" ? 2.5 : 1.8) << key;
    }

    // What one desktop writes it reads back exactly as the 32-bit setting.
    english.writeFloat("Affichage", "Vitesse Défilement", speed);
    EXPECT_TRUE(bytes().contains("Vitesse D\xe9\x66ilement=1.79999995231628\r\n"));
    EXPECT_EQ(float(english.readFloat("Affichage", "Vitesse Défilement", 0)), 1.8f);
}

TEST_F(ConfigFileOnDisk, AFileSizeLimitRefusesTheWriteAndKeepsTheOldFile)
{
    ConfigFile config(cfgPath(), French);
    config.writeString("Affichage", "Police Temps", "Arial");
    const QByteArray before = bytes();

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    // Without a check first the system would kill the whole program here.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = static_cast<rlim_t>(before.size() + 10);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::string message;
    try {
        config.writeString("Affichage", "Police Noms Provinces", QString(100, QLatin1Char('G')));
    } catch (const ConfigWriteError &error) {
        message = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_NE(message.find("pelmorin.cfg » : le fichier dépasserait la taille autorisée. Le fichier existant n'a "
                           "pas été modifié."),
              std::string::npos)
        << message;
    EXPECT_EQ(bytes(), before);
}

// The lines are kept between reads; a hand edit of the same size the instant after must still be seen.
TEST_F(ConfigFileOnDisk, AnEditWhileTheProgramRunsIsSeenByTheNextRead)
{
    const auto edit = [this](const QByteArray &bytes) {
        QFile file(cfgPath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite)); // in place, as some editors do
        file.write(bytes);
        file.resize(bytes.size());
    };
    edit("[Fenetre]\r\nLargeur=800\r\n");
    ConfigFile config(cfgPath(), French);
    EXPECT_EQ(config.readInteger("Fenetre", "Largeur", 0), 800);
    edit("[Fenetre]\r\nLargeur=900\r\n");
    EXPECT_EQ(config.readInteger("Fenetre", "Largeur", 0), 900);
    config.writeInteger("Fenetre", "Hauteur", 600);
    edit("[Fenetre]\r\nLargeur=1000\r\nHauteur=700\r\n");
    EXPECT_EQ(config.readInteger("Fenetre", "Hauteur", 0), 700);
    EXPECT_EQ(config.readInteger("Fenetre", "Largeur", 0), 1000);
}

// The first run writes the list of maps and the aspects; the exit every setting at its default.
TEST_F(SettingsRun, FirstRunOpensTheSampleMapAndLeavesAFullFileAndSoDoesARunThatClosedEveryMap)
{
    const std::unique_ptr<ProgramRun> run = startWith();
    EXPECT_EQ(run->config.sectionNames(), QStringList({"Cartes Ouvertes", "Carte 0", "Aspects"}));
    const QList<ConfigEntry> maps = readOpenMapList(run->config);
    ASSERT_EQ(maps.size(), 1);
    writeOpenMapList(run->config, {{false, maps[0].value, readMapWindowPlacement(run->config, maps[0].key)}});
    run->store.SaveSettings();
    expectGoldenFile(bytes(), "first-run.cfg");

    // Moved around the sample map, then closed it: no recorded map means the sample map again.
    run->config.writeInteger("Carte 0", "x", 5);
    writeOpenMapList(run->config, {{true, "Sans titre", {}}});
    EXPECT_FALSE(run->config.sectionExists("Cartes Ouvertes"));
    run->store.SaveSettings();
    const std::unique_ptr<ProgramRun> again = startWith();
    EXPECT_EQ(readOpenMapList(again->config).size(), 1);
    EXPECT_EQ(readMapWindowPlacement(again->config, "Carte 0").centreColumn, 169);
}

// What one run saves the next reads: a second save gives the same bytes.
TEST_F(SettingsRun, EverythingChangedComesBackAtTheNextStart)
{
    QByteArray saved;
    {
        const std::unique_ptr<ProgramRun> first = startWith();
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
        saved = bytes();
    }
    const std::unique_ptr<ProgramRun> second = startWith();
    // Size, place, then maximised, so un-maximising gives back the recorded bounds.
    EXPECT_EQ(second->host.log.mid(2), QStringList({"resize 1024x700", "move 30,40", "maximise"}));
    second->store.SaveSettings();
    EXPECT_EQ(QString::fromLatin1(bytes()), QString::fromLatin1(saved));
}

TEST_F(SettingsRun, HandEditedValuesFallBackToTheirDefaultsAndAbsurdOnesAreBroughtIntoRange)
{
    std::unique_ptr<ProgramRun> run = startWith(
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
    const std::pair<const char *, QRect> cases[] = {
        {"Largeur=2147483647\r\nHauteur=2147483647\r\nx=100000\r\ny=100000", QRect(0, 0, 1920, 1040)},
        {"Largeur=800\r\nHauteur=600\r\nx=-100000\r\ny=-100000", QRect(0, 0, 800, 600)},
        {"Largeur=800\r\nHauteur=600\r\nx=3000\r\ny=900", QRect(2400, 384, 800, 600)},
        {"Largeur=-5\r\nHauteur=0\r\nx=-2147483648\r\ny=2147483647", QRect(0, 890, 150, 150)},
        // Placed by the system: only the size is fitted, to the first screen.
        {"Largeur=5000\r\nHauteur=300\r\nx=-1\r\ny=-1", QRect(30, 40, 1920, 300)},
    };
    for (const auto &[window, r] : cases) {
        const std::unique_ptr<ProgramRun> run = startWith(QByteArray("[Cartes Ouvertes]\r\n[Fenetre]\r\n") + window,
                                                   {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)});
        EXPECT_EQ(run->host.frame, r) << window;
        run->store.SaveSettings();
        QStringList saved;
        for (const ConfigEntry &entry : run->config.readSection("Fenetre"))
            saved << entry.key + "=" + entry.value;
        EXPECT_EQ(saved.join(' '), QStringLiteral("Largeur=%1 Hauteur=%2 x=%3 y=%4 Maximisee=0")
                                                       .arg(r.width()).arg(r.height()).arg(r.left()).arg(r.top()))
            << window;
    }
}

TEST_F(SettingsRun, AspectsOfOneNameLeadToTheFirst)
{
    const std::unique_ptr<ProgramRun> run =
        startWith("[Cartes Ouvertes]\r\n[Aspects]\r\nHiver=.\\img\\4\\\r\nhiver=.\\img\\9\\\r\n");
    EXPECT_EQ(run->host.log.mid(0, 2), QStringList({"menu &Hiver", "menu &hiver"}));
    EXPECT_EQ(run->aspects.folderForCaption("&hiver"), ".\\img\\4\\");
    EXPECT_EQ(run->aspects.folderForCaption("&Automne"), QString());
}

// A file in a missing folder, or where a folder stands: every pass says which,
// nothing is left behind, and the program still starts on every default.
TEST_F(SettingsRun, AConfigurationThatCannotBeWrittenIsReportedByName)
{
    const QString lost = at("parti/pelmorin.cfg");
    ProgramRun run(lost);
    for (const auto &pass : {std::function<void()>([&] { run.config.writeString("Affichage", "Grille", "1"); }),
                             std::function<void()>([&] { run.store.LoadSettings(); }),
                             std::function<void()>([&] { run.store.SaveSettings(); }),
                             std::function<void()>([&] { writeOpenMapList(run.config, {{false, "a.vr", {}}}); })}) {
        try {
            pass();
            ADD_FAILURE() << "a refused write went unnoticed";
        } catch (const ConfigWriteError &error) {
            const QString message = QString::fromUtf8(error.what());
            EXPECT_TRUE(message.startsWith("Impossible") && message.contains(QDir::toNativeSeparators(lost))) << error.what();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(lost));
    EXPECT_EQ(run.host.log, QStringList({"menu &Eté", "menu &Hiver", "resize 800x600"}));
    EXPECT_EQ(run.host.aspect, ".\\img\\1\\");
    EXPECT_TRUE(run.host.minimap);

    QDir(dir.path()).mkdir("pelmorin.cfg");
    ConfigFile blocked(cfgPath(), French);
    EXPECT_THROW(blocked.writeInteger("Fenetre", "x", 1), ConfigWriteError);
    EXPECT_TRUE(QFileInfo(cfgPath()).isDir());
}

TEST_F(FileLocations, OneSettingsFileForEachInstall)
{
    for (const char *folder : {"build/bin/img/1", "usr/bin", "usr/share/pelmorin/img/1", "bare/bin"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(folder));
    const QString home = "home/.config/pelmorin/pelmorin.cfg";
    const std::tuple<const char *, bool, QString> cases[] = { // the program folder, writable, the settings file
        {"build/bin", true, "build/bin/pelmorin.cfg"}, // a portable copy
        {"build/bin", false, home},                    // a read-only portable copy
        {"usr/bin", true, home},                       // installed: root may write in /usr/bin, still home
        {"usr/bin", false, home},
    };
    for (const auto &[programFolder, writable, expected] : cases)
        EXPECT_EQ(ProgramFolder::settingsFileFor(at(programFolder), writable, at("home/.config/pelmorin")), at(expected))
            << programFolder << writable;

    // The current directory never decides; only a real folder accepts files.
    ProgramFolder::setPath(at("build/bin"));
    ASSERT_TRUE(QDir::setCurrent(at("usr/bin")));
    const QString fromElsewhere = ProgramFolder::settingsFile();
    const QString dataFromElsewhere = ProgramFolder::dataPath();
    ASSERT_TRUE(QDir::setCurrent(at("build/bin")));
    EXPECT_EQ(ProgramFolder::settingsFile(), fromElsewhere);
    EXPECT_EQ(fromElsewhere, at("build/bin/pelmorin.cfg"));
    EXPECT_EQ(ProgramFolder::dataPath(), dataFromElsewhere);

    EXPECT_TRUE(ProgramFolder::acceptsNewFiles(at("bare/bin")));
    EXPECT_TRUE(QDir(at("bare/bin")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        << "the probe file must not stay behind";
    EXPECT_FALSE(ProgramFolder::acceptsNewFiles(at("nowhere")));
}
