// Saving never destroys the file already on disk: a save that cannot finish
// leaves the old file byte for byte and the map still marked as changed.
// And where a save really writes: through symbolic links that lead
// somewhere, lead nowhere yet, or lead round in a circle; and what a save
// killed half-way leaves in the folder.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapFileWriter.h"
#include "MapTestFiles.h"

namespace {

CarteVarenthe changedMap(int32_t side)
{
    CarteVarenthe map;
    map.create(side, side, 0, 0, 0, 100);
    map.SetCellElement(1, 1, Element{ElementCity, "Alba", 0, 0, 7});
    map.fileName = "Sans titre 1";
    return map;
}

void expectUnsavedMap(const CarteVarenthe &map)
{
    EXPECT_TRUE(map.modified);
    EXPECT_TRUE(map.untitled);
    EXPECT_EQ(map.fileName, "Sans titre 1");
}

// The unprivileged way to a file system of our own: a user namespace and a
// private mount namespace. False where the machine allows neither.
bool enterPrivateMounts()
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    writeBytes("/proc/self/setgroups", "deny");
    writeBytes("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
    writeBytes("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

std::set<std::string> namesIn(const std::filesystem::path &folder)
{
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(MapSave, aMapSavedWhereNoFileCanBeCreatedSaysWhyAndKeepsItsChangesAndName)
{
    ScratchFolder folder;
    writeBytes(folder.file("notes.txt"), "not a folder");
    // A folder in the way of the file is not replaced.
    std::filesystem::create_directory(folder.file("dossier.vr"));
    const struct {
        std::string path;
        const char *reason;
    } cases[] = {
        // A "folder" that is a regular file: no one, root included, can
        // create a file there.
        {folder.file("notes.txt") + "/carte.vr", "un élément du chemin n'est pas un dossier."},
        {folder.file("absent") + "/carte.vr", "le dossier n'existe pas."},
        {folder.file("dossier.vr"), "c'est un dossier."},
    };
    for (const auto &refused : cases) {
        CarteVarenthe map = changedMap(4);
        try {
            map.save(refused.path);
            FAIL() << "the save cannot succeed";
        } catch (const MapFileError &error) {
            // No file was there, so none is said to be kept.
            EXPECT_EQ(std::string(error.what()),
                      "Impossible d'ouvrir le fichier indiqué « " + refused.path + " » : " + refused.reason);
        }
        expectUnsavedMap(map);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("dossier.vr")));
}

// As an ordinary user, whoever runs the test.
TEST(MapSave, aFolderThatRefusesWritingIsSaidSo)
{
    ScratchFolder folder;
    ::chmod(folder.path().c_str(), 0500);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(77);
        CarteVarenthe map = changedMap(4);
        try {
            map.save(folder.file("carte.vr"));
        } catch (const MapFileError &error) {
            ::_exit(std::string(error.what()).find(" : l'accès est refusé.") != std::string::npos ? 0 : 2);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "cannot become an ordinary user";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1 saved, 2 wrong message";
}

TEST(MapSave, aFileSizeLimitLeavesTheOldFileByteIdentical)
{
    ScratchFolder folder;
    CarteVarenthe old = changedMap(4);
    old.save(folder.file("carte.vr"));
    const std::string before = readBytes(folder.file("carte.vr"));

    CarteVarenthe bigger = changedMap(200);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = before.size() + 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::string message;
    try {
        bigger.save(folder.file("carte.vr"));
    } catch (const MapFileError &error) {
        message = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(message, "L'enregistrement de la carte « " + folder.file("carte.vr")
                           + " » a échoué : le fichier dépasserait la taille autorisée. Le fichier existant n'a pas été "
                             "modifié.");
    EXPECT_EQ(readBytes(folder.file("carte.vr")), before);
    EXPECT_EQ(namesIn(folder.path()).size(), 1u) << "no temporary file is left behind";
    expectUnsavedMap(bigger);
}

// A full disk and a read-only one, made real with a tiny file system of our own in a private
// mount namespace (a user namespace lets an ordinary user do it too).
TEST(MapSave, aFullDiskLeavesTheOldFileByteIdentical)
{
    ScratchFolder folder;
    const std::string disk = folder.file("disk");
    std::filesystem::create_directory(disk);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!enterPrivateMounts() || ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
            ::_exit(77);
        const std::string path = disk + "/carte.vr";
        CarteVarenthe old = changedMap(4);
        old.save(path);
        const std::string before = readBytes(path);
        CarteVarenthe bigger = changedMap(300); // 180,000 bytes of cells
        int status = 0;
        try {
            bigger.save(path);
            status = 1;
        } catch (const MapFileError &error) {
            if (std::string(error.what()).find("disque est plein") == std::string::npos)
                status = 2;
        }
        if (readBytes(path) != before)
            status = 3;
        if (namesIn(disk).size() != 1)
            status = 4;
        if (!bigger.modified || !bigger.untitled || bigger.fileName != "Sans titre 1")
            status = 5;
        const auto says = [](const std::string &path, CarteVarenthe &map, const std::string &ending) {
            try {
                map.save(path);
            } catch (const MapFileError &error) {
                const std::string message = error.what();
                return message.find("« " + path + " »") != std::string::npos
                       && message.size() >= ending.size()
                       && message.compare(message.size() - ending.size(), ending.size(), ending) == 0;
            }
            return false;
        };
        if (!says(path, bigger, "le disque est plein. Le fichier existant n'a pas été modifié."))
            status = 6;
        // A new file: there is no existing file to speak of.
        if (!says(disk + "/neuve.vr", bigger, "le disque est plein."))
            status = 7;
        if (::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            status = 8;
        else if (!says(path, old, "le système de fichiers est en lecture seule. Le fichier existant n'a pas été modifié."))
            status = 9;
        ::_exit(status);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no private mount namespace on this machine";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1 saved, 2 wrong message, 3 old file changed, 4 temporary left, 5 flags, "
                                         "6 to 9 the reasons of a full disk and a read-only one";
}

TEST(MapSave, aSaveReplacesTheFileKeepsItsPermissionsAndWritesThroughALink)
{
    ScratchFolder folder;
    CarteVarenthe first = changedMap(4);
    first.save(folder.file("carte.vr"));
    ::chmod(folder.file("carte.vr").c_str(), 0640);
    std::filesystem::create_symlink("carte.vr", folder.file("lien.vr"));

    CarteVarenthe second = changedMap(6);
    second.save(folder.file("lien.vr"));
    EXPECT_FALSE(second.modified);
    EXPECT_FALSE(second.untitled);
    EXPECT_EQ(second.fileName, folder.file("lien.vr"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("lien.vr")));
    struct stat info {};
    ASSERT_EQ(::stat(folder.file("carte.vr").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(namesIn(folder.path()).size(), 2u);

    CarteVarenthe back;
    back.open(folder.file("carte.vr"));
    EXPECT_EQ(back.width, 6);
}

TEST(SaveLinks, aLinkToNoFileYetCreatesItsTargetAndStaysALink)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.file("ailleurs"));
    std::filesystem::create_directory(folder.file("liens"));
    std::filesystem::create_symlink("../ailleurs/carte.vr", folder.file("liens/carte.vr"));

    CarteVarenthe map = changedMap(5);
    map.save(folder.file("liens/carte.vr"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("liens/carte.vr")));
    CarteVarenthe back;
    back.open(folder.file("ailleurs/carte.vr"));
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(namesIn(folder.file("ailleurs")), std::set<std::string>{"carte.vr"});
}

TEST(SaveLinks, aLoopOfLinksIsRefusedAndChangesNothing)
{
    ScratchFolder folder;
    std::filesystem::create_symlink("b.vr", folder.file("a.vr"));
    std::filesystem::create_symlink("a.vr", folder.file("b.vr"));
    CarteVarenthe map = changedMap(3);
    try {
        map.save(folder.file("a.vr"));
        FAIL() << "a loop has no file to write";
    } catch (const MapFileError &error) {
        EXPECT_NE(std::string(error.what()).find("forment une boucle"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(map.modified);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("a.vr")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("b.vr")));
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
        changedMap(4).save(path);
        const std::string before = readBytes(path);

        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (namedTemporary) {
                if (!enterPrivateMounts() || ::mount("tmpfs", "/proc", "tmpfs", 0, nullptr) != 0)
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
        changedMap(6).save(path);
        EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"carte.vr", running}));
    }
    if (!namedTried)
        GTEST_SKIP() << "no private mount namespace to hide /proc: named temporary files untried";
}
