// The settings file against a hostile system and a hostile hand: a
// file-size limit when it is written, edits while the program runs, and
// numbers far outside anything the program could use.
#include "settings/AppSettings.h"
#include "settings/AspectList.h"
#include "settings/ConfigFile.h"
#include "settings/ConfigOpenMaps.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace {

const QLocale French(QLocale::French, QLocale::France);

// A desktop of two screens side by side, the second one lower; the window
// is only the bounds the settings give it.
class TwoScreenHost : public SettingsHost {
public:
    void addAspectMenuItem(const QString &) override {}
    void selectAspectFolder(const QString &) override {}
    QString aspectFolder() const override { return QStringLiteral(".\\img\\1\\"); }
    void setCityListTicked(bool) override {}
    bool cityListTicked() const override { return false; }
    void setMinimapTicked(bool) override {}
    bool minimapTicked() const override { return true; }
    void resizeWindow(int width, int height) override { frame.setSize(QSize(width, height)); }
    void moveWindow(int left, int top) override { frame.moveTo(left, top); }
    void maximiseWindow() override {}
    QRect windowFrame() const override { return frame; }
    bool windowMaximised() const override { return false; }
    QList<QRect> availableScreenAreas() const override { return {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)}; }

    QRect frame{30, 40, 10, 10}; // where the system would put it
};

struct Loaded {
    AppSettings settings;
    QRect frame;
    QByteArray savedWindow; // "Fenetre" as written back at exit
};

Loaded loadAndSave(const QByteArray &file)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("pelmorin.cfg");
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(file);
    out.close();
    ConfigFile config(path, French);
    Loaded loaded;
    AspectList aspects;
    TwoScreenHost host;
    SettingsStore store(config, loaded.settings, aspects, host);
    store.LoadSettings();
    loaded.frame = host.frame;
    store.SaveSettings();
    for (const ConfigEntry &entry : config.readSection("Fenetre"))
        loaded.savedWindow += (entry.key + "=" + entry.value + " ").toUtf8();
    return loaded;
}

} // namespace

// Sizes and places from the file bring the main window onto a screen, at a
// size that fits it, and the sane bounds are what the next start finds.
TEST(SettingsLimits, theMainWindowLandsOnAScreenAtASizeThatFitsIt)
{
    const struct {
        const char *window;
        QRect expected;
    } cases[] = {
        {"Largeur=800\r\nHauteur=600\r\nx=10\r\ny=20", QRect(10, 20, 800, 600)},
        {"Largeur=2147483647\r\nHauteur=2147483647\r\nx=100000\r\ny=100000", QRect(0, 0, 1920, 1040)},
        {"Largeur=800\r\nHauteur=600\r\nx=-100000\r\ny=-100000", QRect(0, 0, 800, 600)},
        {"Largeur=800\r\nHauteur=600\r\nx=3000\r\ny=900", QRect(2400, 384, 800, 600)},
        {"Largeur=-5\r\nHauteur=0\r\nx=-2147483648\r\ny=2147483647", QRect(0, 890, 150, 150)},
        // Placed by the system: only the size is fitted, to the first screen.
        {"Largeur=5000\r\nHauteur=300\r\nx=-1\r\ny=-1", QRect(30, 40, 1920, 300)},
    };
    for (const auto &example : cases) {
        const Loaded loaded = loadAndSave(QByteArray("[Cartes Ouvertes]\r\n[Fenetre]\r\n") + example.window);
        EXPECT_EQ(loaded.frame, example.expected) << example.window;
        const QRect &r = example.expected;
        EXPECT_EQ(loaded.savedWindow, QStringLiteral("Largeur=%1 Hauteur=%2 x=%3 y=%4 Maximisee=0 ")
                                          .arg(r.width())
                                          .arg(r.height())
                                          .arg(r.left())
                                          .arg(r.top())
                                          .toUtf8())
            << example.window;
    }
}

TEST(SettingsLimits, absurdNumbersAreBroughtIntoRangeWhenRead)
{
    const Loaded huge = loadAndSave("[Cartes Ouvertes]\r\n[Affichage]\r\nGrille=2147483647\r\n"
                                    "Vitesse D\xe9""filement=1E30\r\nTaille Temps=2147483647\r\n"
                                    "Taille Noms Provinces=-3\r\n");
    EXPECT_EQ(huge.settings.gridGap, 16);
    EXPECT_EQ(huge.settings.scrollSpeed, 50.0f);
    EXPECT_EQ(huge.settings.timesFont.font.pointSize(), 144);
    EXPECT_EQ(huge.settings.namesFont.font.pointSize(), 14) << "not a size: the default";
    const Loaded tiny = loadAndSave("[Cartes Ouvertes]\r\n[Affichage]\r\nGrille=-2147483648\r\n"
                                    "Vitesse D\xe9""filement=-7\r\n");
    EXPECT_EQ(tiny.settings.gridGap, 0);
    EXPECT_EQ(tiny.settings.scrollSpeed, 0.1f);

    QTemporaryDir folder;
    QFile file(folder.filePath("pelmorin.cfg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Carte 0]\r\nEchelle=2147483647\r\nx=-2147483648\r\ny=99999999\r\n"
               "[Carte 1]\r\nEchelle=-4\r\n");
    file.close();
    const ConfigFile config(file.fileName(), French);
    const MapWindowPlacement far = readMapWindowPlacement(config, "Carte 0");
    EXPECT_EQ(far.zoomPercent, 100);
    EXPECT_EQ(far.centreColumn, 0);
    EXPECT_EQ(far.centreRow, 4095);
    EXPECT_EQ(readMapWindowPlacement(config, "Carte 1").zoomPercent, 5);
}

TEST(SettingsLimits, aFileSizeLimitRefusesTheWriteAndKeepsTheOldFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("pelmorin.cfg");
    ConfigFile config(path, QLocale(QLocale::French, QLocale::France));
    config.writeString("Affichage", "Police Temps", "Arial");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

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
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

// The lines are kept between accesses; a hand edit must still be seen by
// the next read, even one made the instant after a read and of the same size.
TEST(SettingsLimits, anEditWhileTheProgramRunsIsSeenByTheNextRead)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("pelmorin.cfg");
    const auto edit = [&path](const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite)); // in place, as some editors do
        file.write(bytes);
        file.resize(bytes.size());
    };
    edit("[Fenetre]\r\nLargeur=800\r\n");
    ConfigFile config(path, QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(config.readInteger("Fenetre", "Largeur", 0), 800);
    edit("[Fenetre]\r\nLargeur=900\r\n");
    EXPECT_EQ(config.readInteger("Fenetre", "Largeur", 0), 900);
    config.writeInteger("Fenetre", "Hauteur", 600);
    edit("[Fenetre]\r\nLargeur=1000\r\nHauteur=700\r\n");
    EXPECT_EQ(config.readInteger("Fenetre", "Hauteur", 0), 700);
    EXPECT_EQ(config.readInteger("Fenetre", "Largeur", 0), 1000);
}
