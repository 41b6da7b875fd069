// Damaged map files are refused with a French message, the map open before left as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapFileReader.h"
#include "MapTestFiles.h"

namespace {

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

} // namespace

TEST(MalformedMap, EveryDamagedFileOfTheCorpusIsRefusedAndTheOpenMapIsUntouched)
{
    ScratchFolder folder;
    const CarteVarenthe original = richMap();
    richMap().save(folder.file("good.vr"));
    std::vector<std::filesystem::path> corpus;
    for (const auto &entry :
         std::filesystem::directory_iterator(std::filesystem::path(PELMORIN_SOURCE_DIR) / "tests/map/data/malformed"))
        corpus.push_back(entry.path());
    std::sort(corpus.begin(), corpus.end());
    ASSERT_GE(corpus.size(), 20u);

    std::string messages;
    for (const std::filesystem::path &file : corpus) {
        SCOPED_TRACE(file.filename().string());
        CarteVarenthe open;
        open.open(folder.file("good.vr"));
        messages += file.filename().string() + ": ";
        try {
            open.load(file.string());
            ADD_FAILURE() << "a damaged file was accepted";
        } catch (const MapFileError &error) {
            messages += error.what() + std::string("\n");
        }
        EXPECT_EQ(std::tuple(open.width, open.height, open.mapType, open.provinceNames, open.elements.size(),
                             open.terrainAt(2, 3), open.modified || open.untitled, open.elementAt(4, 5) != nullptr),
                  std::tuple(original.width, original.height, original.mapType, original.provinceNames,
                             original.elements.size(), original.terrainAt(2, 3), false, true));
        EXPECT_EQ(open.fileName, folder.file("good.vr"));
        CarteVarenthe fresh;
        EXPECT_THROW(fresh.open(file.string()), MapFileError);
    }
    EXPECT_EQ(goldenTextProblem(messages, "malformed-messages.txt"), "");
}

TEST(MalformedMap, AFileCutAnywhereBeforeItsNamesIsRefusedAndNeverReadPastItsEnd)
{
    ScratchFolder folder;
    richMap().save(folder.file("whole.vr"));
    const std::string whole = readBytes(folder.file("whole.vr"));
    const size_t textStart = 44 + 2 * 31 * 14 + 4 + 2 * 16 + 3072;
    ASSERT_EQ(whole.substr(textStart), "Nord\r\nSud\r\nAlba\r\nZone habitable\r\n");

    for (size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        // An exact-size copy, so that a sanitizer build sees any overread.
        std::unique_ptr<char[]> bytes(new char[length + 1]);
        std::memcpy(bytes.get(), whole.data(), length);
        CarteVarenthe cut;
        try {
            readMapFile(cut, std::string_view(bytes.get(), length), "cut.vr");
            // Cut inside the last name: a last line without its end.
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

TEST(MalformedMap, AMapTooBigForTheMemoryLeftIsRefusedWithAMessage)
{
#ifdef PELMORIN_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve far more address space than any limit this test can set";
#endif
    // A few bytes asking for the largest map, 64 MiB of terrain, with 16 MiB of address space left.
    ScratchFolder folder;
    MapBytes file;
    writeBytes(folder.file("vaste.vr"), file.header(3, 0, 4096, 4096, 0, 0, 0, 0, 0).i32(0).costTables().str());
    const int status = exitStatusOfChild([&] {
        unsigned long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t left = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + (16u << 20);
        const rlimit memory{left, left};
        ::setrlimit(RLIMIT_AS, &memory);
        try {
            CarteVarenthe().open(folder.file("vaste.vr"));
        } catch (const MapFileError &error) {
            return std::string(error.what()) == MapFileMemoryMessage ? 0 : 2;
        } catch (...) {
            return 3;
        }
        return 1;
    });
    EXPECT_EQ(status, 0) << "1 loaded, 2 wrong message, 3 other failure";
}
