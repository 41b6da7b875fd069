// Installed into a temporary prefix made read-only, then started from another
// folder: the sample world opens and only the user's settings are written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

namespace {

struct ProcessRun {
    int status = -1;
    QString out;
    QString err;
};

ProcessRun run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
               const QString &folder = QDir::tempPath())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        process.kill(), process.waitForFinished(); // a crash exit: status -1
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

class InstalledPelmorin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        destination_ = std::make_unique<QTemporaryDir>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), destination_->path());
        installRun_ = run(QStringLiteral(PELMORIN_CMAKE),
                          {"--install", PELMORIN_BINARY_DIR, "--prefix", "/usr"}, environment);
        run(QStringLiteral("chmod"), {"-R", "a-w", destination_->path()}, environment);
    }
    static void TearDownTestSuite()
    {
        run(QStringLiteral("chmod"), {"-R", "u+w", destination_->path()}, QProcessEnvironment::systemEnvironment());
        destination_.reset();
    }
    void SetUp() override { ASSERT_EQ(installRun_.status, 0) << installRun_.err.toStdString(); }

    static QString installed(const QString &relative) { return QDir(destination_->path()).filePath(relative); }

    static std::unique_ptr<QTemporaryDir> destination_;
    static ProcessRun installRun_;
};

std::unique_ptr<QTemporaryDir> InstalledPelmorin::destination_;
ProcessRun InstalledPelmorin::installRun_;

TEST_F(InstalledPelmorin, TheFilesOfADesktopProgramAreInPlaceAndItsMenuEntryIsValid)
{
    for (const char *file : {"bin/pelmorin", "bin/pelmorin-cli", "share/pelmorin/pelmorin.vr", "share/pelmorin/notes.txt",
                             "share/pelmorin/img/minipelmorin.bmp", "share/pelmorin/img/1/100.bmp",
                             "share/applications/pelmorin.desktop", "share/mime/packages/pelmorin.xml",
                             "share/icons/hicolor/scalable/apps/pelmorin.svg", "share/man/man1/pelmorin.1.gz",
                             "share/doc/pelmorin/copyright"})
        EXPECT_TRUE(QFile::exists(installed(QStringLiteral("usr/") + file))) << file;
    EXPECT_FALSE(QFile::exists(installed("usr/share/pelmorin/pelmorin.cfg")));

    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        const ProcessRun check = run(validator, {installed("usr/share/applications/pelmorin.desktop")},
                                     QProcessEnvironment::systemEnvironment());
        EXPECT_EQ(check.status, 0);
        EXPECT_TRUE(check.out.trimmed().isEmpty()) << check.out.toStdString();
    }
}

TEST_F(InstalledPelmorin, StartedFromElsewhereItOpensTheSampleWorldAndWritesOnlyTheUsersSettings)
{
    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral("ailleurs"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("PELMORIN_STARTUP_TIMING"), QStringLiteral("quit")); // once the map is painted

    const ProcessRun first = run(installed("usr/bin/pelmorin"), {}, environment, home.filePath(QStringLiteral("ailleurs")));
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_TRUE(first.err.contains(QStringLiteral("Première carte peinte"))) << first.err.toStdString();

    QFile file(home.filePath(QStringLiteral("config/pelmorin/pelmorin.cfg")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString settings = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(settings.contains(QStringLiteral("[Cartes Ouvertes]\r\nCarte 0=pelmorin.vr\r\n")))
        << settings.toStdString();
    EXPECT_TRUE(settings.contains(QStringLiteral("Fichier 0=") + installed("usr/share/pelmorin/pelmorin.vr")));
    EXPECT_TRUE(QDir(home.filePath(QStringLiteral("ailleurs"))).isEmpty()) << "nothing in the start folder";
    EXPECT_FALSE(QFile::exists(installed("usr/bin/pelmorin.cfg")));

    const ProcessRun second = run(installed("usr/bin/pelmorin"), {}, environment, home.path());
    EXPECT_EQ(second.status, 0) << second.err.toStdString();
    EXPECT_TRUE(second.err.contains(QStringLiteral("Première carte peinte"))) << second.err.toStdString();
}

TEST_F(InstalledPelmorin, VersionAndHelpAnswerWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(variable));
    const auto answer = [&](const char *program, const char *argument) {
        const ProcessRun run = ::run(installed(QStringLiteral("usr/bin/") + program), {argument}, environment);
        return std::make_pair(run.status, run.status == 2 ? run.err : run.out);
    };
    EXPECT_EQ(answer("pelmorin", "--version"), std::make_pair(0, QStringLiteral("pelmorin " PELMORIN_VERSION "\n")));
    EXPECT_EQ(answer("pelmorin-cli", "--version"),
              std::make_pair(0, QStringLiteral("pelmorin-cli " PELMORIN_VERSION "\n")));
    const auto help = answer("pelmorin", "--help");
    EXPECT_EQ(help.first, 0);
    EXPECT_TRUE(help.second.startsWith(QStringLiteral("Utilisation : pelmorin [FICHIER.vr ...]")));
    const auto refused = answer("pelmorin", "--plein-ecran");
    EXPECT_EQ(refused.first, 2);
    EXPECT_TRUE(refused.second.contains(QStringLiteral("option inconnue"))) << refused.second.toStdString();
}

} // namespace
