// Installed into a temporary prefix made read-only, then started from another
// folder: the sample world opens and only the user's settings are written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct ProcessRun {
    int status = -1;
    QString out, err;
};

ProcessRun run(const QString &program, const QStringList &arguments,
               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
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

// Writable again when the test ends, however it ends, so that the prefix can be removed.
struct ReadOnlyFolder {
    explicit ReadOnlyFolder(const QString &path) : path(path) { run("chmod", {"-R", "a-w", path}); }
    ~ReadOnlyFolder() { run("chmod", {"-R", "u+w", path}); }
    QString path;
};

} // namespace

TEST(InstalledPelmorin, ADesktopProgramThatOpensTheSampleWorldFromElsewhereAndWritesOnlyTheUsersSettings)
{
    QTemporaryDir destination;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), destination.path());
    const ProcessRun install = run(PELMORIN_CMAKE, {"--install", PELMORIN_BINARY_DIR, "--prefix", "/usr"}, environment);
    ASSERT_EQ(install.status, 0) << install.err.toStdString();
    const ReadOnlyFolder readOnly(destination.path());
    const auto installed = [&](const QString &name) { return destination.filePath(QStringLiteral("usr/") + name); };
    {
        SCOPED_TRACE("the files of a desktop program, and a valid menu entry");
        for (const char *file :
             {"bin/pelmorin", "bin/pelmorin-cli", "share/pelmorin/pelmorin.vr", "share/pelmorin/notes.txt",
              "share/pelmorin/img/minipelmorin.bmp", "share/pelmorin/img/1/100.bmp", "share/doc/pelmorin/copyright",
              "share/applications/pelmorin.desktop", "share/mime/packages/pelmorin.xml",
              "share/icons/hicolor/scalable/apps/pelmorin.svg", "share/man/man1/pelmorin.1.gz"})
            EXPECT_TRUE(QFile::exists(installed(file))) << file;
        EXPECT_FALSE(QFile::exists(installed("share/pelmorin/pelmorin.cfg")));
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validator.isEmpty()) {
            const ProcessRun check = run(validator, {installed("share/applications/pelmorin.desktop")});
            EXPECT_TRUE(check.status == 0 && check.out.trimmed().isEmpty()) << check.out.toStdString();
        }
    }
    {
        SCOPED_TRACE("started from elsewhere, twice");
        QTemporaryDir home;
        QDir(home.path()).mkpath(QStringLiteral("ailleurs"));
        QProcessEnvironment user = QProcessEnvironment::systemEnvironment();
        user.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        user.insert(QStringLiteral("HOME"), home.path());
        user.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        user.insert(QStringLiteral("PELMORIN_STARTUP_TIMING"), QStringLiteral("quit")); // once the map is painted
        const ProcessRun first = run(installed("bin/pelmorin"), {}, user, home.filePath(QStringLiteral("ailleurs")));
        ASSERT_EQ(first.status, 0) << first.err.toStdString();
        EXPECT_TRUE(first.err.contains(QStringLiteral("Première carte peinte"))) << first.err.toStdString();
        QFile file(home.filePath(QStringLiteral("config/pelmorin/pelmorin.cfg")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString settings = QString::fromLatin1(file.readAll());
        EXPECT_TRUE(settings.contains(QStringLiteral("[Cartes Ouvertes]\r\nCarte 0=pelmorin.vr\r\n")))
            << settings.toStdString();
        EXPECT_TRUE(settings.contains(QStringLiteral("Fichier 0=") + installed("share/pelmorin/pelmorin.vr")));
        EXPECT_TRUE(QDir(home.filePath(QStringLiteral("ailleurs"))).isEmpty()) << "nothing in the start folder";
        EXPECT_FALSE(QFile::exists(installed("bin/pelmorin.cfg")));
        const ProcessRun second = run(installed("bin/pelmorin"), {}, user, home.path());
        EXPECT_EQ(second.status, 0) << second.err.toStdString();
        EXPECT_TRUE(second.err.contains(QStringLiteral("Première carte peinte"))) << second.err.toStdString();
    }
    SCOPED_TRACE("--version and --help answer without a display");
    QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        headless.remove(QString::fromLatin1(variable));
    const auto answer = [&](const char *program, const char *argument) {
        const ProcessRun run = ::run(installed(QStringLiteral("bin/") + program), {argument}, headless);
        return std::make_pair(run.status, run.status == 2 ? run.err : run.out);
    };
    EXPECT_EQ(answer("pelmorin", "--version"), std::make_pair(0, QStringLiteral("pelmorin " PELMORIN_VERSION "\n")));
    EXPECT_EQ(answer("pelmorin-cli", "--version"),
              std::make_pair(0, QStringLiteral("pelmorin-cli " PELMORIN_VERSION "\n")));
    const auto help = answer("pelmorin", "--help");
    EXPECT_TRUE(help.first == 0 && help.second.startsWith(QStringLiteral("Utilisation : pelmorin [FICHIER.vr ...]")));
    const auto refused = answer("pelmorin", "--plein-ecran");
    EXPECT_TRUE(refused.first == 2 && refused.second.contains(QStringLiteral("option inconnue")))
        << refused.second.toStdString();
}
