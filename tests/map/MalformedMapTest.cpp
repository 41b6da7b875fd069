// Damaged map files: each is refused with a French message, nothing of it
// survives, and the map that was open before stays exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <map>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapFileReader.h"
#include "MapTestFiles.h"

namespace {

const std::filesystem::path CorpusFolder = std::filesystem::path(PELMORIN_SOURCE_DIR) / "tests/map/data/malformed";

// A small world map with everything a file can hold.
CarteVarenthe richMap()
{
    CarteVarenthe map;
    map.create(31, 14, 20, 13, 1, 100);
    map.SetCellTile(2, 3, 110);
    map.SetCellElement(4, 5, Element{ElementCity, "Alba", 0, 0, 7});
    map.SetCellElement(6, 7, Element{ElementZone, "Zone habitable", 0, 0, 253});
    map.provinceNames = {"Nord", "Sud"};
    return map;
}

void expectSameMap(const CarteVarenthe &actual, const CarteVarenthe &expected)
{
    EXPECT_EQ(std::tuple(actual.width, actual.height, actual.mapType),
              std::tuple(expected.width, expected.height, expected.mapType));
    EXPECT_EQ(actual.fileName, expected.fileName);
    EXPECT_EQ(actual.provinceNames, expected.provinceNames);
    EXPECT_EQ(actual.elements.size(), expected.elements.size());
    EXPECT_EQ(actual.terrainAt(2, 3), expected.terrainAt(2, 3));
    EXPECT_EQ(actual.modified, expected.modified);
    ASSERT_NE(actual.elementAt(4, 5), nullptr);
    EXPECT_EQ(actual.elementAt(4, 5)->name, "Alba");
}

} // namespace

TEST(MalformedMap, EveryDamagedFileOfTheCorpusIsRefusedAndTheOpenMapIsUntouched)
{
    // Files whose fault has a message of its own.
    const std::map<std::string, std::string> messages = {
        {"negative-width.vr", MapFileDimensionsMessage},
        {"negative-height.vr", MapFileDimensionsMessage},
        {"huge-width.vr", MapFileDimensionsMessage},
        {"huge-height.vr", MapFileDimensionsMessage},
        {"version1-huge-height.vr", MapFileDimensionsMessage},
        {"negative-element-count.vr", MapFileElementCountMessage},
        {"huge-element-count.vr", MapFileElementCountMessage},
        {"truncated-header.vr", MapFileDamagedMessage},
        {"truncated-cells.vr", MapFileDamagedMessage},
        {"truncated-element-count.vr", MapFileDamagedMessage},
        {"truncated-element-record.vr", MapFileDamagedMessage},
        {"truncated-cost-tables.vr", MapFileDamagedMessage},
        {"negative-bits-per-cell.vr", MapFileDamagedMessage},
        {"negative-province-width.vr", MapFileDamagedMessage},
        {"data-offset-past-end.vr", MapFileDamagedMessage},
        {"largest-map-without-its-cells.vr", MapFileDamagedMessage},
        {"missing-name-line.vr", "List index out of bounds (0)"},
        {"zero-byte-hides-names.vr", "List index out of bounds (0)"},
    };

    ScratchFolder folder;
    CarteVarenthe original = richMap();
    original.save(folder.file("good.vr"));

    std::vector<std::filesystem::path> corpus;
    for (const auto &entry : std::filesystem::directory_iterator(CorpusFolder))
        corpus.push_back(entry.path());
    std::sort(corpus.begin(), corpus.end());
    ASSERT_GE(corpus.size(), 20u);

    for (const std::filesystem::path &file : corpus) {
        SCOPED_TRACE(file.filename().string());
        CarteVarenthe open;
        open.open(folder.file("good.vr"));
        try {
            open.load(file.string());
            ADD_FAILURE() << "a damaged file was accepted";
        } catch (const MapFileError &error) {
            EXPECT_STRNE(error.what(), "");
            if (const auto known = messages.find(file.filename().string()); known != messages.end()) {
                EXPECT_EQ(error.what(), known->second);
            }
        }
        expectSameMap(open, original);

        CarteVarenthe fresh;
        EXPECT_THROW(fresh.open(file.string()), MapFileError);
    }
}

TEST(MalformedMap, AFileCutAnywhereBeforeItsNamesIsRefusedAndNeverReadPastItsEnd)
{
    ScratchFolder folder;
    CarteVarenthe map = richMap();
    map.save(folder.file("whole.vr"));
    const std::string whole = readBytes(folder.file("whole.vr"));
    const size_t textStart = 44 + 2 * 31 * 14 + 4 + 2 * 16 + 3072;
    ASSERT_EQ(whole.substr(textStart), "Nord\r\nSud\r\nAlba\r\nZone habitable\r\n");

    for (size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        // The bytes go straight to the reader: the same parse as a file read
        // in one block, without writing thousands of files.
        // An exact-size copy, so that a sanitizer build sees any overread.
        std::unique_ptr<char[]> bytes(new char[length + 1]);
        std::memcpy(bytes.get(), whole.data(), length);
        CarteVarenthe cut;
        try {
            readMapFile(cut, std::string_view(bytes.get(), length), "cut.vr");
            // Inside the last name, the rest of it is a last line without
            // its end: the map loads with that name shortened.
            EXPECT_GE(length, whole.size() - 15);
            EXPECT_EQ(cut.elements.size(), 2u);
        } catch (const MapTextIndexError &) {
            EXPECT_GE(length, textStart);
        } catch (const MapFileError &error) {
            EXPECT_LT(length, textStart);
            EXPECT_EQ(error.what(), std::string(MapFileDamagedMessage));
        }
    }
}

TEST(MalformedMap, AFileThatCannotBeOpenedGivesTheOpenMessage)
{
    ScratchFolder folder;
    // A named pipe must not hang the program waiting for a writer.
    ASSERT_EQ(::mkfifo(folder.file("tube.vr").c_str(), 0644), 0);
    for (const std::string &path : {folder.file("absent.vr"), folder.path().string(), folder.file("tube.vr")}) {
        CarteVarenthe map;
        try {
            map.open(path);
            ADD_FAILURE() << path;
        } catch (const MapFileError &error) {
            EXPECT_STREQ(error.what(), "Impossible d'ouvrir le fichier indiqué");
        }
    }
}

// Bytes of address space the process maps now, from /proc/self/statm.
rlim_t addressSpaceInUse()
{
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    return static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

TEST(MalformedMap, AMapTooBigForTheMemoryLeftIsRefusedWithAMessage)
{
#ifdef PELMORIN_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve far more address space than any limit this test can set";
#endif
    // The largest map needs 64 MiB for its terrain alone (the other grids
    // take memory only when used); a file of a few bytes can ask for it (no
    // bytes per cell). Run where little more than the process's own address
    // space is left.
    ScratchFolder folder;
    MapBytes file;
    file.header(3, 0, 4096, 4096, 0, 0, 0, 0, 0).i32(0).costTables();
    writeBytes(folder.file("vaste.vr"), file.str());

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlim_t left = addressSpaceInUse() + (16u << 20);
        const rlimit memory{left, left};
        ::setrlimit(RLIMIT_AS, &memory);
        CarteVarenthe map;
        try {
            map.open(folder.file("vaste.vr"));
        } catch (const MapFileError &error) {
            ::_exit(std::string(error.what()) == MapFileMemoryMessage ? 0 : 2);
        } catch (...) {
            ::_exit(3);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1 loaded, 2 wrong message, 3 other failure";
}
