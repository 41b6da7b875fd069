// The settings file against a hostile system and a hostile hand: a
// file-size limit when it is written.
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
