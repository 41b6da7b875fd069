// pelmorin-cli as a map maker's script runs it (info, new, edit, convert, route and matrix), and on a hostile
// system (no memory, no room for its output, every argument wrong): a French message and a status, never a signal.
#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "route/RouteEndpoints.h"

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

// A harbour: grass, a port, then open water, and a beach below.
CarteVarenthe harbourMap()
{
    CarteVarenthe map;
    map.create(4, 2, 0, 0, 1, 100);
    const int32_t codes[2][4] = {{100, 1, 103, 103}, {100, 100, 106, 103}};
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x)
            map.terrain.at(x, y) = codes[y][x];
    return map;
}

json gridJson(const Grid &grid)
{
    json rows = json::array();
    for (int32_t y = 0; y < grid.height(); ++y)
        rows.push_back(std::vector<int32_t>(grid.row(y), grid.row(y) + grid.width()));
    return rows;
}

// The JSON answer of a command that succeeded.
json answerOf(const std::vector<std::string> &args)
{
    const CliResult run = runCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? json::parse(run.out) : json();
}

// Every test writes its maps in a folder of its own.
class PelmorinCli : public ::testing::Test {
protected:
    ScratchFolder folder;
};

// Without --terrain, the same object but the terrain key.
TEST_F(PelmorinCli, InfoDescribesEveryPartOfTheMapInOneJsonObject)
{
    writeBytes(folder.file("alba.vr"), albaFile().str());
    const CliResult info = runCli({"info", folder.file("alba.vr"), "--terrain"});
    ASSERT_EQ(info.status, 0) << info.err;
    expectGoldenText(info.out, "info-alba.json");
    json shorter = json::parse(info.out);
    shorter.erase("terrain");
    EXPECT_EQ(answerOf({"info", folder.file("alba.vr")}), shorter);
}

TEST_F(PelmorinCli, NewCreatesTheMapsOfTheNewMapDialogAndEditPaintsAndPlacesCities)
{
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
        const json map = answerOf({"info", folder.file("carte.vr"), "--terrain"});
        EXPECT_EQ(json({map["width"], map["height"], map["provinceWidth"], map["provinceHeight"], map["mapType"],
                        map["terrain"][c.height - 1][c.width - 1]}),
                  json({c.width, c.height, c.provinceWidth, c.provinceHeight, c.mapType, c.lastCell}))
            << c.options[1];
    }

    // edit applies paint and cities in the order given, on a new map of its own.
    ASSERT_EQ(runCli({"new", folder.file("carte.vr"), "--size", "10,10", "--fill", "100"}).status, 0);
    const CliResult edit = runCli({"edit", folder.file("carte.vr"), "-o", folder.file("carte.vr"),
                                   "--paint", "3,4,110", "--paint", "4,4,110", "--paint", "5,4,110",
                                   "--city", "7,7,12,Port-Vent, le haut", "--paint", "7,7,257",
                                   "--paint", "2,2,254", "--city", "2,2,13,Selmar",
                                   "--paint", "4,5,110"});
    ASSERT_EQ(edit.status, 0) << edit.err;
    const json map = answerOf({"info", folder.file("carte.vr"), "--terrain"});
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
    EXPECT_EQ(answerOf({"info", folder.file("autre.vr")})["elements"].size(), 2u);
}

TEST_F(PelmorinCli, ConvertRewritesAnOldMapAsVersionThree)
{
    MapBytes old;
    old.header(2, 55, 3, 1, 0, 0, 0, 8, 0).u8(100).u8(103).u8(105).i32(2).i32s({0, 0, 2, 0}).costTables();
    old.text("Amont\nAval");
    writeBytes(folder.file("old.vr"), old.str());
    ASSERT_EQ(runCli({"convert", folder.file("old.vr"), folder.file("new.vr")}).status, 0);

    const std::string bytes = readBytes(folder.file("new.vr"));
    EXPECT_EQ(bytes.substr(0, 12), std::string("PMVR\x2c\0\0\0\x03\0\0\0", 12));
    const json before = answerOf({"info", folder.file("old.vr"), "--terrain"});
    const json after = answerOf({"info", folder.file("new.vr"), "--terrain"});
    EXPECT_EQ(after["terrain"], before["terrain"]);
    EXPECT_EQ(after["elements"], json::parse(R"([
        {"kind":1,"name":"Amont","x":0,"y":0,"number":0},
        {"kind":1,"name":"Aval","x":2,"y":0,"number":1}])"));
}

TEST_F(PelmorinCli, AnUnreadableMapFailsWithItsMessageAndWritesNothing)
{
    MapBytes damaged;
    damaged.header(3, 0, 5000, 2, 0, 0, 0, 16, 0);
    writeBytes(folder.file("abime.vr"), damaged.str());
    writeBytes(folder.file("existant.vr"), "garder");
    writeBytes(folder.file("texte.vr"), "ceci n'est pas une carte");
    expectGoldenTranscript("unreadable-maps.txt", {{"@dir", folder.path().string()}});
    EXPECT_EQ(readBytes(folder.file("existant.vr")), "garder");
}

// The golden answers: the start decides the layer; an end out of reach (water without --embark) gives no path.
TEST_F(PelmorinCli, RouteAnswersEachStartAndEnd)
{
    const std::string map = folder.file("port.vr");
    harbourMap().save(map);
    expectGoldenTranscript("route-port.txt", {{"@map", map}});

    // --grids gives the grids of the map window's own search.
    const json report = answerOf({"route", map, "--from", "0,1", "--to", "2,1", "--embark", "--abandon", "--grids"});
    CarteVarenthe expected = harbourMap();
    setRouteOptions(expected, false, true, true);
    setRouteStart(expected, 0, 1);
    setRouteEnd(expected, 2, 1);
    EXPECT_EQ(report["routeTime"], json({gridJson(expected.routeTime[0]), gridJson(expected.routeTime[1])}));
    EXPECT_EQ(report["routeStep"], json({gridJson(expected.routeStep[0]), gridJson(expected.routeStep[1])}));
    EXPECT_EQ(report["routeMark"], gridJson(expected.routeMark));
    EXPECT_EQ(report["totalTime"], expected.routeTotalTime);
}

TEST_F(PelmorinCli, RouteAndMatrixTakeCitiesNamedOrNumberedAndTheItineraryEndsAtTheArrival)
{
    const std::string map = savedTowns(folder.path());
    const json byCells = answerOf({"route", map, "--from", "0,0", "--to", "8,0"});
    for (const std::vector<std::string> &ends :
         {std::vector<std::string>{"--from-city", "brurieres", "--to-city", "PORT-NORON"},
          {"--from-city", "12", "--to-city", "7"}, {"--from-city", "Brur", "--to", "8,0"},
          {"--from", "0,0", "--to-city", "noron"}}) {
        std::vector<std::string> args{"route", map};
        args.insert(args.end(), ends.begin(), ends.end());
        EXPECT_EQ(answerOf(args), byCells) << ends[1] << ends[3];
    }

    const json route = answerOf({"route", map, "--from", "0,0", "--to", "8,0", "--itinerary"});
    const json &steps = route.at("itinerary");
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps.front().at("event"), "Départ");
    EXPECT_EQ(steps.back().at("event"), "Arrivée");
    EXPECT_EQ(steps.back().at("time"), route.at("totalTime"));
    EXPECT_EQ(steps.back().at("x"), 8);

    // The matrix's agreement with single routes is the search's; here, that the options reach it and the CSV
    // table of chosen cities.
    SCOPED_TRACE("matrix");
    const CliResult matrix = runCli({"matrix", map, "--jobs", "2", "--wings"});
    ASSERT_EQ(matrix.status, 0) << matrix.err;
    const json report = json::parse(matrix.out);
    ASSERT_EQ(report["cities"].size(), 4u);
    const json &from = report["cities"][0], &to = report["cities"][1];
    std::vector<std::string> ends{"route", map, "--from-city", from["number"].dump(),
                                  "--to", to["x"].dump() + "," + to["y"].dump()};
    const json plain = answerOf(ends);
    ends.push_back("--wings");
    EXPECT_EQ(report["times"][0][1], answerOf(ends)["totalTime"]);
    EXPECT_NE(report["times"][0][1], plain["totalTime"]) << "the lake is crossed only with wings";

    const CliResult csv = runCli({"matrix", map, "--cities", "7,12,21", "--format", "csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    expectGoldenText(csv.out, "matrix-towns.csv");
}

TEST_F(PelmorinCli, ALackOfMemoryDuringTheSearchIsReportedLikeAnyOther)
{
#ifdef PELMORIN_SANITIZED
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
#endif
    const std::string map = folder.file("grande.vr");
    ASSERT_EQ(runCli({"new", map, "--size", "4096,4096", "--fill", "100"}).status, 0);
    CliLimits limits; // room to read the map, not for the search's five grids of it
    limits.addressSpace = rlim_t(256) << 20;
    limits.standardOutput = "/dev/null";
    ASSERT_EQ(runCli({"info", map}, limits).status, 0);
    const CliResult route = runCli({"route", map, "--from", "1,1"}, limits);
    EXPECT_EQ(route.signal, 0);
    EXPECT_EQ(route.status, 1);
    EXPECT_NE(route.err.find("La mémoire manque"), std::string::npos) << route.err;
}

// Every help in French, and every refusal: status 2, the French hint and what was wrong, nothing written; an
// answer that cannot be written is a failure.
TEST_F(PelmorinCli, EveryHelpAndRefusalIsInFrenchAndAnAnswerThatCannotBeWrittenIsAFailure)
{
    const std::string city = folder.file("carte.vr"), out = folder.file("sortie.vr");
    ASSERT_EQ(runCli({"new", city, "--preset", "city"}).status, 0);
    expectGoldenTranscript("help-and-refusals.txt", {{"@city", city}, {"@out", out}, {"@towns", savedTowns(folder.path())}});
    EXPECT_FALSE(std::filesystem::exists(out));
    CliLimits full;
    full.standardOutput = "/dev/full";
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"info", city}, {"info", city, "--terrain"}, {"route", city, "--from", "1,1"},
          {"info", "--help"}}) {
        const CliResult result = runCli(args, full);
        EXPECT_EQ(result.status, 1) << args[1];
        EXPECT_NE(result.err.find("Impossible d'écrire la sortie standard : le disque est plein."),
                  std::string::npos)
            << result.err;
    }
}

} // namespace
