// Where a save really writes: through symbolic links that lead somewhere,
// lead nowhere yet, or lead round in a circle; and what a save killed
// half-way leaves in the folder.
#include <gtest/gtest.h>

#include <csignal>
#include <sched.h>
#include <set>
#include <sys/mount.h>
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
// and no temporary file outlives the program. Where unnamed files cannot be
// kept (no /proc here) the temporary file has a name, and the next save in
// the folder removes it once its program is dead.
TEST(SaveLinks, aKilledSaveLeavesNothingBehind)
{
    bool namedTried = false;
    for (const bool namedTemporary : {false, true}) {
        ScratchFolder folder;
        const std::string path = folder.file("carte.vr");
        smallMap(4).save(path);
        const std::string before = readBytes(path);

        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (namedTemporary) {
                const uid_t uid = ::geteuid();
                const gid_t gid = ::getegid();
                if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                    ::_exit(77);
                writeBytes("/proc/self/setgroups", "deny");
                writeBytes("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
                writeBytes("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
                if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                    || ::mount("tmpfs", "/proc", "tmpfs", 0, nullptr) != 0)
                    ::_exit(77);
            }
            const std::string half(1 << 20, 'x');
            writeFileAtomically(path, 2 * half.size(), [&](const MapByteSink &sink) {
                sink(half.data(), half.size());
                [[maybe_unused]] const ssize_t told = ::write(ready[1], "!", 1);
                ::pause();
            });
            ::_exit(1);
        }
        ::close(ready[1]);
        char signal = 0;
        if (::read(ready[0], &signal, 1) != 1) {
            ::close(ready[0]);
            ::waitpid(child, nullptr, 0);
            continue; // no private mount namespace on this machine
        }
        namedTried = namedTried || namedTemporary;
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        ::close(ready[0]);
        EXPECT_EQ(readBytes(path), before);
        std::set<std::string> left = namesIn(folder.path());
        if (namedTemporary) {
            const std::string leftover = ".carte.vr.tmp" + std::to_string(child) + "-";
            EXPECT_EQ(std::erase_if(left, [&](const std::string &name) { return name.starts_with(leftover); }), 1u);
        }
        EXPECT_EQ(left, std::set<std::string>{"carte.vr"});

        // A program still running keeps its temporary files.
        const std::string running = ".autre.vr.tmp" + std::to_string(::getpid()) + "-9";
        writeBytes(folder.file(running), "en cours");
        smallMap(6).save(path);
        EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"carte.vr", running}));
    }
    if (!namedTried)
        GTEST_SKIP() << "no private mount namespace to hide /proc: named temporary files untried";
}
