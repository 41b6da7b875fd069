// The configuration file as a user who edits it by hand, or moves it between
// a French and an English desktop, sees it.
#include "settings/ConfigFile.h"
#include "SettingsTestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <csignal>
#include <sys/resource.h>

namespace {

const QLocale French(QLocale::French, QLocale::France);
const QLocale English(QLocale::English, QLocale::UnitedStates);

class ConfigFileOnDisk : public ::testing::Test {
protected:
    QString cfgPath() const { return folder_.filePath("pelmorin.cfg"); }

    void writeBytes(const QByteArray &bytes)
    {
        QFile file(cfgPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray bytes() const { return bytesOf(cfgPath()); }

    QTemporaryDir folder_;
};

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
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"pelmorin.cfg"}));

    ConfigFile elsewhere(folder_.filePath("absent.cfg"), French);
    elsewhere.eraseSection("Cartes Ouvertes");
    EXPECT_FALSE(QFile::exists(folder_.filePath("absent.cfg")));
}

TEST_F(ConfigFileOnDisk, IntegersAndBoolsReadAsTheUserWroteThem)
{
    struct Case {
        const char *text;
        int32_t expected;
    };
    const Case cases[] = {
        {"0XfF", 255}, {"0x", 77}, {"0xFFFFFFFF", -1}, {"0x100000000", 77}, {"0xG1", 77}, {"-12", -12},
        {"+5", 5}, {"12abc", 77}, {"", 77}, {"2147483647", 2147483647}, {"2147483648", 77},
        {"-2147483648", std::numeric_limits<int32_t>::min()}, {"1.5", 77},
    };
    QByteArray text = "[Valeurs]\r\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        text += "k" + QByteArray::number(qulonglong(i)) + "=" + cases[i].text + "\r\n";
    text += "oui=oui\r\nzero=0\r\nmoins=-1\r\n";
    writeBytes(text);

    ConfigFile config(cfgPath(), French);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(config.readInteger("Valeurs", QStringLiteral("k%1").arg(i), 77), cases[i].expected)
            << cases[i].text;
    // Any number but 0 is true; a word is no bool.
    EXPECT_TRUE(config.readBool("Valeurs", "moins", false));
    EXPECT_FALSE(config.readBool("Valeurs", "zero", true));
    EXPECT_FALSE(config.readBool("Valeurs", "oui", false));
}

TEST_F(ConfigFileOnDisk, FloatsFollowTheDesktopsDecimalSeparator)
{
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

TEST_F(ConfigFileOnDisk, RefusedWriteNamesTheFileAndLeavesNothingBehind)
{
    const QString lost = folder_.filePath("dossier disparu/pelmorin.cfg");
    ConfigFile config(lost, French);
    try {
        config.writeString("Affichage", "Grille", "1");
        FAIL() << "the write into a missing folder was accepted";
    } catch (const ConfigWriteError &error) {
        const QString message = QString::fromUtf8(error.what());
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(lost))) << error.what();
        EXPECT_TRUE(message.startsWith("Impossible")) << error.what();
    }

    QDir(folder_.path()).mkdir("pelmorin.cfg");
    ConfigFile blocked(cfgPath(), French);
    EXPECT_THROW(blocked.writeInteger("Fenetre", "x", 1), ConfigWriteError);
    EXPECT_TRUE(QFileInfo(cfgPath()).isDir());
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
    const QString path = cfgPath();
    const auto edit = [&path](const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite)); // in place, as some editors do
        file.write(bytes);
        file.resize(bytes.size());
    };
    edit("[Fenetre]\r\nLargeur=800\r\n");
    ConfigFile config(path, French);
    EXPECT_EQ(config.readInteger("Fenetre", "Largeur", 0), 800);
    edit("[Fenetre]\r\nLargeur=900\r\n");
    EXPECT_EQ(config.readInteger("Fenetre", "Largeur", 0), 900);
    config.writeInteger("Fenetre", "Hauteur", 600);
    edit("[Fenetre]\r\nLargeur=1000\r\nHauteur=700\r\n");
    EXPECT_EQ(config.readInteger("Fenetre", "Hauteur", 0), 700);
    EXPECT_EQ(config.readInteger("Fenetre", "Largeur", 0), 1000);
}
