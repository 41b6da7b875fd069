// Where the data and settings are: beside a build or portable program; for an
// installed one, share/pelmorin and the user's configuration folder.
#include "settings/ProgramFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

// A scratch tree holding a build folder and an installed prefix side by side.
class FileLocationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *folder : {"build/bin/img/1", "usr/bin", "usr/share/pelmorin/img/1", "bare/bin"})
            ASSERT_TRUE(QDir(root_.path()).mkpath(folder));
    }
    void TearDown() override { ProgramFolder::setPath(QString()); }

    QString at(const QString &relative) const { return QDir(root_.path()).filePath(relative); }

    QTemporaryDir root_;
};

TEST_F(FileLocationsTest, OneSettingsFileForEachInstall)
{
    const QString home = "home/.config/pelmorin/pelmorin.cfg";
    const struct {
        const char *programFolder;
        bool writable;
        QString expected;
    } cases[] = {
        {"build/bin", true, "build/bin/pelmorin.cfg"}, // a portable copy
        {"build/bin", false, home},                    // a read-only portable copy
        {"usr/bin", true, home},                       // installed: root may write in /usr/bin, still home
        {"usr/bin", false, home},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ProgramFolder::settingsFileFor(at(c.programFolder), c.writable, at("home/.config/pelmorin")),
                  at(c.expected))
            << c.programFolder << c.writable;
}

TEST_F(FileLocationsTest, TheCurrentDirectoryNeverDecidesAndOnlyARealFolderAcceptsFiles)
{
    const QString start = QDir::currentPath();
    ProgramFolder::setPath(at("build/bin"));
    ASSERT_TRUE(QDir::setCurrent(at("usr/bin")));
    const QString fromElsewhere = ProgramFolder::settingsFile();
    const QString dataFromElsewhere = ProgramFolder::dataPath();
    ASSERT_TRUE(QDir::setCurrent(at("build/bin")));
    EXPECT_EQ(ProgramFolder::settingsFile(), fromElsewhere);
    EXPECT_EQ(fromElsewhere, at("build/bin/pelmorin.cfg"));
    EXPECT_EQ(ProgramFolder::dataPath(), dataFromElsewhere);
    QDir::setCurrent(start);

    EXPECT_TRUE(ProgramFolder::acceptsNewFiles(at("bare/bin")));
    EXPECT_TRUE(QDir(at("bare/bin")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        << "the probe file must not stay behind";
    EXPECT_FALSE(ProgramFolder::acceptsNewFiles(at("nowhere")));
}

} // namespace
