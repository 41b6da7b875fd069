// The settings file against a hostile system and a hostile hand: a
// file-size limit when it is written, edits while the program runs.
#include "settings/ConfigFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

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
