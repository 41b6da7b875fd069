// The assets are drawn again at every build that changes the generator, and
// must come out byte for byte the same: a map maker comparing two builds, or
// a package built twice, sees no difference.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "AssetFiles.h"

namespace {

// Runs the generator into `folder`; true when it succeeded.
bool generateInto(const QString &folder)
{
    QProcess generator;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    generator.setProcessEnvironment(environment);
    generator.start(QStringLiteral(PELMORIN_ASSETS_GENERATOR), {folder});
    return generator.waitForFinished(120000) && generator.exitStatus() == QProcess::NormalExit
           && generator.exitCode() == 0;
}

// Every file under `folder`, by its path relative to it.
QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

TEST(AssetGeneration, writesTheSameBytesAtEveryRun)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    ASSERT_TRUE(generateInto(first.path()));
    ASSERT_TRUE(generateInto(second.path()));

    const QStringList files = filesUnder(first.path());
    EXPECT_EQ(files, filesUnder(second.path()));
    EXPECT_TRUE(files.contains(QStringLiteral("pelmorin.vr")));
    EXPECT_TRUE(files.contains(QStringLiteral("notes.txt")));
    EXPECT_TRUE(files.contains(QStringLiteral("img/minipelmorin.bmp")));
    EXPECT_TRUE(files.contains(QStringLiteral("img/250.bmp")));
    for (const QString &file : files) {
        const QByteArray bytes = readWhole(first.filePath(file));
        EXPECT_EQ(bytes, readWhole(second.filePath(file))) << file.toStdString();
        // What the build left beside the program is the same again.
        EXPECT_EQ(bytes, readWhole(programFolder() + QLatin1Char('/') + file)) << file.toStdString();
    }
}

TEST(AssetGeneration, anUnwritableFolderIsReportedAsAFailure)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A file where the folder should be.
    const QString blocked = folder.filePath(QStringLiteral("occupé"));
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(generateInto(blocked));
}
