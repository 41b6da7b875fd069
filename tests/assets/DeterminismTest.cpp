// The generator writes the same bytes at every run, so two builds of a package do not differ.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "AssetFiles.h"

namespace {

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

QStringList filesIn(const QString &folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

TEST(AssetGeneration, WritesTheSameBytesAtEveryRunAndReportsAnUnwritableFolder)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(generateInto(first.path()) && generateInto(second.path()));
    const QStringList files = filesIn(first.path());
    for (const char *expected : {"pelmorin.vr", "notes.txt", "img/minipelmorin.bmp", "img/250.bmp", "img/4/5090.bmp"})
        EXPECT_TRUE(files.contains(QString::fromLatin1(expected))) << expected;
    for (const QString &file : files) {
        const QByteArray bytes = readWhole(first.filePath(file));
        EXPECT_EQ(bytes, readWhole(second.filePath(file))) << file.toStdString();
        EXPECT_EQ(bytes, readWhole(programFolder() + QLatin1Char('/') + file)) << file.toStdString();
    }
    EXPECT_EQ(filesIn(second.path()), files);

    // A file where the folder should be.
    const QString blocked = first.filePath(QStringLiteral("notes.txt"));
    EXPECT_FALSE(generateInto(blocked));
}
