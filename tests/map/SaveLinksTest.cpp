// Where a save really writes: through symbolic links that lead somewhere,
// lead nowhere yet, or lead round in a circle; and what a save killed
// half-way leaves in the folder.
#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapFileWriter.h"
#include "MapTestFiles.h"

namespace fs = std::filesystem;

namespace {

CarteVarenthe smallMap(int32_t side)
{
    CarteVarenthe map;
    map.create(side, side, 0, 0, 0, 100);
    return map;
}

std::set<std::string> namesIn(const fs::path &folder)
{
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(SaveLinks, aLinkToNoFileYetCreatesItsTargetAndStaysALink)
{
    ScratchFolder folder;
    fs::create_directory(folder.file("ailleurs"));
    fs::create_directory(folder.file("liens"));
    fs::create_symlink("../ailleurs/carte.vr", folder.file("liens/carte.vr"));

    CarteVarenthe map = smallMap(5);
    map.save(folder.file("liens/carte.vr"));
    EXPECT_TRUE(fs::is_symlink(folder.file("liens/carte.vr")));
    CarteVarenthe back;
    back.open(folder.file("ailleurs/carte.vr"));
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(namesIn(folder.file("ailleurs")), std::set<std::string>{"carte.vr"});
}

TEST(SaveLinks, aLoopOfLinksIsRefusedAndChangesNothing)
{
    ScratchFolder folder;
    fs::create_symlink("b.vr", folder.file("a.vr"));
    fs::create_symlink("a.vr", folder.file("b.vr"));
    CarteVarenthe map = smallMap(3);
    try {
        map.save(folder.file("a.vr"));
        FAIL() << "a loop has no file to write";
    } catch (const MapFileError &error) {
        EXPECT_NE(std::string(error.what()).find("forment une boucle"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(map.modified);
    EXPECT_TRUE(fs::is_symlink(folder.file("a.vr")));
    EXPECT_TRUE(fs::is_symlink(folder.file("b.vr")));
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"a.vr", "b.vr"}));
}

// The save is killed while the file is half written: the old file stays
// and no temporary file outlives the program. A leftover of a program that
// died with a named temporary file is removed by the next save there.
TEST(SaveLinks, aKilledSaveLeavesNothingBehind)
{
    ScratchFolder folder;
    const std::string path = folder.file("carte.vr");
    smallMap(4).save(path);
    const std::string before = readBytes(path);

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string half(1 << 20, 'x');
        writeFileAtomically(path, 2 * half.size(), [&](const MapByteSink &sink) {
            sink(half.data(), half.size());
            [[maybe_unused]] const ssize_t told = ::write(ready[1], "!", 1);
            ::pause();
        });
        ::_exit(1);
    }
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ::kill(child, SIGKILL);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"carte.vr"});
    EXPECT_EQ(readBytes(path), before);

    // Named leftovers: the dead child's are stale, this program's are not.
    const std::string dead = std::to_string(child);
    const std::string alive = std::to_string(::getpid());
    for (const std::string &name : std::vector<std::string>{".carte.vr.tmp" + dead + "-0", ".autre.vr.tmp" + dead + "-7",
                                    ".carte.vr.tmp" + alive + "-9", ".notes.tmp"})
        writeBytes(folder.file(name), "reste");
    smallMap(6).save(path);
    EXPECT_EQ(namesIn(folder.path()),
              (std::set<std::string>{"carte.vr", ".carte.vr.tmp" + alive + "-9", ".notes.tmp"}));
}
