// A save that cannot finish leaves the old file byte for byte and the map changed; links; killed saves.
#include <gtest/gtest.h>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <set>

#include "map/CarteVarenthe.h"
#include "map/MapFileWriter.h"
#include "MapTestFiles.h"

namespace {

const std::string KeptOld = " Le fichier existant n'a pas été modifié.";

CarteVarenthe changedMap(int32_t side)
{
    CarteVarenthe map;
    map.create(side, side, 0, 0, 0, 100);
    map.SetCellElement(1, 1, Element{ElementCity, "Alba", 0, 0, 7});
    map.fileName = "Sans titre 1";
    return map;
}

bool stillUnsaved(const CarteVarenthe &map) { return map.modified && map.untitled && map.fileName == "Sans titre 1"; }
std::string saveFailure(CarteVarenthe &map, const std::string &path) { return failureOf([&] { map.save(path); }); }

// A user namespace and a private mount namespace; false where the machine allows neither.
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

TEST(MapSave, AMapSavedWhereNoFileCanBeCreatedSaysWhyAndKeepsItsChangesAndName)
{
    ScratchFolder folder;
    writeBytes(folder.file("notes.txt"), "not a folder");
    std::filesystem::create_directory(folder.file("dossier.vr")); // a folder in the way is not replaced
    const std::pair<std::string, const char *> cases[] = {
        {folder.file("notes.txt") + "/carte.vr", "un élément du chemin n'est pas un dossier."},
        {folder.file("absent") + "/carte.vr", "le dossier n'existe pas."},
        {folder.file("dossier.vr"), "c'est un dossier."},
    };
    for (const auto &[path, reason] : cases) {
        CarteVarenthe map = changedMap(4);
        EXPECT_EQ(saveFailure(map, path), "Impossible d'ouvrir le fichier indiqué « " + path + " » : " + reason);
        EXPECT_TRUE(stillUnsaved(map));
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("dossier.vr")));

    // A folder that refuses writing, as an ordinary user whoever runs the test.
    ::chmod(folder.path().c_str(), 0500);
    const int status = exitStatusOfChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 77;
        CarteVarenthe map = changedMap(4);
        return saveFailure(map, folder.file("carte.vr")).ends_with(" : l'accès est refusé.") ? 0 : 2;
    });
    EXPECT_TRUE(status == 0 || status == 77) << "2 saved or wrong message";
}

TEST(MapSave, AFileSizeLimitAFullDiskAndAReadOnlyOneLeaveTheOldFileByteIdentical)
{
    ScratchFolder folder;
    const std::string disk = folder.file("disk");
    std::filesystem::create_directory(disk);
    const int status = exitStatusOfChild([&] {
        const auto says = [](CarteVarenthe &map, const std::string &path, const std::string &ending) {
            const std::string message = saveFailure(map, path);
            return message.find("« " + path + " »") != std::string::npos && message.ends_with(ending);
        };
        // The file-size limit, in this child only.
        const std::string limited = folder.file("carte.vr");
        changedMap(4).save(limited);
        const std::string small = readBytes(limited);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{small.size() + 100, saved.rlim_max};
        CarteVarenthe larger = changedMap(200);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0
            || saveFailure(larger, limited) != "L'enregistrement de la carte « " + limited
                                                   + " » a échoué : le fichier dépasserait la taille autorisée." + KeptOld)
            return 1;
        if (::setrlimit(RLIMIT_FSIZE, &saved) != 0 || readBytes(limited) != small
            || namesIn(folder.path()).size() != 2 || !stillUnsaved(larger))
            return 3;
        // A tiny file system of our own, full and then read-only.
        if (!enterPrivateMounts() || ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
            return 77;
        const std::string path = disk + "/carte.vr";
        CarteVarenthe old = changedMap(4);
        old.save(path);
        const std::string before = readBytes(path);
        CarteVarenthe bigger = changedMap(300); // 180,000 bytes of cells
        if (!says(bigger, path, "le disque est plein." + KeptOld))
            return 2;
        if (readBytes(path) != before || namesIn(disk).size() != 1 || !stillUnsaved(bigger))
            return 3;
        if (!says(bigger, disk + "/neuve.vr", "le disque est plein.")) // no existing file to speak of
            return 4;
        if (::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return 5;
        return says(old, path, "le système de fichiers est en lecture seule." + KeptOld) ? 0 : 6;
    });
    if (status == 77)
        GTEST_SKIP() << "no private mount namespace on this machine; the file-size limit passed";
    EXPECT_EQ(status, 0) << "1 size limit not said, 2 full disk not said, 3 old file, temporary or flags, "
                            "4 new file, 5 remount, 6 read-only not said";
}

TEST(SaveLinks, ASaveWritesThroughLinksKeepsPermissionsAndRefusesALoop)
{
    ScratchFolder folder;
    changedMap(4).save(folder.file("carte.vr"));
    ::chmod(folder.file("carte.vr").c_str(), 0640);
    std::filesystem::create_symlink("carte.vr", folder.file("lien.vr"));
    CarteVarenthe second = changedMap(6);
    second.save(folder.file("lien.vr"));
    EXPECT_FALSE(second.modified || second.untitled);
    EXPECT_EQ(second.fileName, folder.file("lien.vr"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("lien.vr")));
    EXPECT_EQ(std::filesystem::status(folder.file("carte.vr")).permissions(), std::filesystem::perms{0640});
    CarteVarenthe back;
    back.open(folder.file("carte.vr"));
    EXPECT_EQ(back.width, 6);

    // A link to no file yet creates its target and stays a link.
    std::filesystem::create_directory(folder.file("ailleurs"));
    std::filesystem::create_symlink("ailleurs/neuve.vr", folder.file("neuve.vr"));
    changedMap(5).save(folder.file("neuve.vr"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("neuve.vr")));
    back.open(folder.file("ailleurs/neuve.vr"));
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(namesIn(folder.file("ailleurs")), std::set<std::string>{"neuve.vr"});

    std::filesystem::create_symlink("b.vr", folder.file("a.vr"));
    std::filesystem::create_symlink("a.vr", folder.file("b.vr"));
    CarteVarenthe looped = changedMap(3);
    EXPECT_NE(saveFailure(looped, folder.file("a.vr")).find("forment une boucle"), std::string::npos);
    EXPECT_TRUE(looped.modified);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("a.vr")) && std::filesystem::is_symlink(folder.file("b.vr")));
    EXPECT_EQ(namesIn(folder.path()),
              (std::set<std::string>{"a.vr", "ailleurs", "b.vr", "carte.vr", "lien.vr", "neuve.vr"}));
}

// Without /proc the temporary file is named, and the next save removes it once its program is dead.
TEST(SaveLinks, AKilledSaveLeavesNothingBehind)
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
            if (namedTemporary && (!enterPrivateMounts() || ::mount("tmpfs", "/proc", "tmpfs", 0, nullptr) != 0))
                ::_exit(77);
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
        const bool started = ::read(ready[0], &signal, 1) == 1;
        ::close(ready[0]);
        if (!started) { // no private mount namespace on this machine
            ::waitpid(child, nullptr, 0);
            continue;
        }
        namedTried = namedTried || namedTemporary;
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
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
