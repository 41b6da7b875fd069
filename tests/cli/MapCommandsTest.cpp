// pelmorin-cli info, new, edit and convert, as a map maker's script runs them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "../map/MapTestFiles.h"
#include "CliRunner.h"

namespace {

using nlohmann::json;

// The two-cell example map with a city named in Windows-1252.
MapBytes albaFile()
{
    MapBytes file;
    file.header(3, 1700000000, 2, 1, 0, 0, 1, 16, 0).u16(100).u16(110);
    file.i32(1).i32s({1, 0, 1, 7}).zeros(4 * 100).i32(40).zeros(3072 - 404);
    file.text("Haute-Marche\r\nAlba l'\xC9toil\xE9" "e\r\n");
    return file;
}

json infoOf(const std::string &path, bool terrain = false)
{
    std::vector<std::string> args{"info", path};
    if (terrain)
        args.push_back("--terrain");
    const CliResult result = runCli(args);
    EXPECT_EQ(result.status, 0) << result.err;
    return json::parse(result.out);
}

} // namespace

// Without --terrain, the same object but the terrain key.
TEST(MapCommands, infoDescribesEveryPartOfTheMapInOneJsonObject)
{
    ScratchFolder folder;
    writeBytes(folder.file("alba.vr"), albaFile().str());
    const CliResult info = runCli({"info", folder.file("alba.vr"), "--terrain"});
    ASSERT_EQ(info.status, 0) << info.err;
    expectGoldenText(info.out, "info-alba.json");
    json shorter = json::parse(info.out);
    shorter.erase("terrain");
    EXPECT_EQ(infoOf(folder.file("alba.vr")), shorter);
}

TEST(MapCommands, newCreatesTheMapsOfTheNewMapDialog)
{
    ScratchFolder folder;
    const struct {
        std::vector<std::string> options;
        int width, height, provinceWidth, provinceHeight, mapType, lastCell;
    } cases[] = {
        {{"--preset", "world", "--fill", "100"}, 300, 169, 20, 13, 1, 100},
        {{"--size", "50,40", "--provinces", "25,20", "--world", "--fill", "103"}, 50, 40, 25, 20, 1, 103},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args{"new", folder.file("carte.vr")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(runCli(args).status, 0) << c.options[1];
        const json map = infoOf(folder.file("carte.vr"), true);
        EXPECT_EQ(json({map["width"], map["height"], map["provinceWidth"], map["provinceHeight"], map["mapType"],
                        map["terrain"][c.height - 1][c.width - 1]}),
                  json({c.width, c.height, c.provinceWidth, c.provinceHeight, c.mapType, c.lastCell}))
            << c.options[1];
    }
}

TEST(MapCommands, editAppliesPaintAndCitiesInTheOrderGiven)
{
    ScratchFolder folder;
    ASSERT_EQ(runCli({"new", folder.file("carte.vr"), "--size", "10,10", "--fill", "100"}).status, 0);
    const CliResult edit = runCli({"edit", folder.file("carte.vr"), "-o", folder.file("carte.vr"),
                                   "--paint", "3,4,110", "--paint", "4,4,110", "--paint", "5,4,110",
                                   "--city", "7,7,12,Port-Vent, le haut", "--paint", "7,7,257",
                                   "--paint", "2,2,254", "--city", "2,2,13,Selmar",
                                   "--paint", "4,5,110"});
    ASSERT_EQ(edit.status, 0) << edit.err;
    const json map = infoOf(folder.file("carte.vr"), true);
    EXPECT_EQ(map["terrain"][4][4], 117); // the road below joined the line
    EXPECT_EQ(map["terrain"][5][4], 111);
    EXPECT_EQ(map["elements"], json::parse(R"([
        {"kind":0,"name":"","x":7,"y":7,"number":0},
        {"kind":1,"name":"Selmar","x":2,"y":2,"number":13}])"));

    // A cell off the map is skipped with a word; status 3 says not every edit was made.
    const CliResult outside = runCli({"edit", folder.file("carte.vr"), "-o", folder.file("autre.vr"),
                                      "--city", "10,3,1,Nulle part", "--paint", "1,1,105"});
    EXPECT_EQ(outside.status, 3);
    EXPECT_NE(outside.err.find("hors de la carte"), std::string::npos);
    EXPECT_EQ(infoOf(folder.file("autre.vr"))["elements"].size(), 2u);
}

TEST(MapCommands, convertRewritesAnOldMapAsVersionThree)
{
    ScratchFolder folder;
    MapBytes old;
    old.header(2, 55, 3, 1, 0, 0, 0, 8, 0).u8(100).u8(103).u8(105).i32(2).i32s({0, 0, 2, 0}).costTables();
    old.text("Amont\nAval");
    writeBytes(folder.file("old.vr"), old.str());
    ASSERT_EQ(runCli({"convert", folder.file("old.vr"), folder.file("new.vr")}).status, 0);

    const std::string bytes = readBytes(folder.file("new.vr"));
    EXPECT_EQ(bytes.substr(0, 12), std::string("PMVR\x2c\0\0\0\x03\0\0\0", 12));
    const json before = infoOf(folder.file("old.vr"), true);
    const json after = infoOf(folder.file("new.vr"), true);
    EXPECT_EQ(after["terrain"], before["terrain"]);
    EXPECT_EQ(after["elements"], json::parse(R"([
        {"kind":1,"name":"Amont","x":0,"y":0,"number":0},
        {"kind":1,"name":"Aval","x":2,"y":0,"number":1}])"));
}

TEST(MapCommands, anUnreadableMapFailsWithItsMessageAndWritesNothing)
{
    ScratchFolder folder;
    MapBytes damaged;
    damaged.header(3, 0, 5000, 2, 0, 0, 0, 16, 0);
    writeBytes(folder.file("abime.vr"), damaged.str());
    writeBytes(folder.file("existant.vr"), "garder");
    writeBytes(folder.file("texte.vr"), "ceci n'est pas une carte");
    expectGoldenTranscript("unreadable-maps.txt", {{"@dir", folder.path().string()}});
    EXPECT_EQ(readBytes(folder.file("existant.vr")), "garder");
}
