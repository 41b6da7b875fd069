// pelmorin-cli route as a script uses it: one JSON object on stdout, French
// messages on stderr, status 1 for a map it cannot read, 2 for bad arguments.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

#include "../map/MapTestFiles.h"
#include "CliRunner.h"
#include "map/CarteVarenthe.h"
#include "route/RouteEndpoints.h"

namespace {

using nlohmann::json;

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

class RouteCli : public ::testing::Test {
protected:
    void SetUp() override { harbourMap().save(map); }
    // The route's report, after checking the command succeeded.
    json route(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"route", map});
        const CliResult run = runCli(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.status == 0 ? json::parse(run.out) : json();
    }
    ScratchFolder folder;
    const std::string map = folder.file("port.vr");
};

json gridJson(const Grid &grid)
{
    json rows = json::array();
    for (int32_t y = 0; y < grid.height(); ++y)
        rows.push_back(std::vector<int32_t>(grid.row(y), grid.row(y) + grid.width()));
    return rows;
}

} // namespace

TEST_F(RouteCli, BoardingAtThePortGivesTheRouteAndItsDuration)
{
    const CliResult run = runCli({"route", map, "--from", "0,0", "--to", "3,0", "--embark"});
    ASSERT_EQ(run.status, 0) << run.err;
    const json report = json::parse(run.out);
    EXPECT_EQ(report["start"], json({0, 0}));
    EXPECT_EQ(report["end"], json({3, 0}));
    EXPECT_EQ(report["startLayer"], "OnFoot");
    EXPECT_EQ(report["totalTime"], 40 + 21 + 20);
    EXPECT_EQ(report["duration"], "1:21");
    EXPECT_EQ(report["path"], json::parse("[[0,0,1],[1,0,3],[2,0,1],[3,0,1]]"));
    EXPECT_FALSE(report.contains("routeTime"));
    // Keys come in the order a reader expects.
    EXPECT_EQ(run.out.rfind("{\"start\":", 0), 0u);
}

TEST_F(RouteCli, GridsAreThoseOfTheMapWindowsSearch)
{
    const json report = route({"--from", "0,1", "--to", "2,1", "--embark", "--abandon", "--grids"});
    CarteVarenthe expected = harbourMap();
    setRouteOptions(expected, false, true, true);
    setRouteStart(expected, 0, 1);
    setRouteEnd(expected, 2, 1);
    EXPECT_EQ(report["routeTime"], json({gridJson(expected.routeTime[0]), gridJson(expected.routeTime[1])}));
    EXPECT_EQ(report["routeStep"], json({gridJson(expected.routeStep[0]), gridJson(expected.routeStep[1])}));
    EXPECT_EQ(report["routeMark"], gridJson(expected.routeMark));
    EXPECT_EQ(report["totalTime"], expected.routeTotalTime);
    EXPECT_EQ(report["routeTime"][0][0][3], -1) << "nobody walks on deep water";
    int onFoot = 0;
    int afloat = 0;
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x) {
            onFoot += expected.routeTimeAt(x, y, 0) != -1;
            afloat += expected.routeTimeAt(x, y, 1) != -1;
        }
    EXPECT_EQ(report["reached"], json({onFoot, afloat}));
    EXPECT_GT(afloat, 0);
}

TEST_F(RouteCli, TheStartDecidesTheLayerAndAnEndOutOfReachGivesNoRoute)
{
    const struct {
        std::vector<std::string> args;
        json end, totalTime, startLayer, reached;
    } cases[] = {
        // No end at all.
        {{"--from", "0,0"}, nullptr, nullptr, "OnFoot", {5, 0}},
        // Without leave to embark the water stays out of reach.
        {{"--from", "0,0", "--to", "3,1"}, {3, 1}, nullptr, "OnFoot", {5, 0}},
        // A start on water sails, unless wings are used.
        {{"--from", "3,1", "--to", "2,0"}, {2, 0}, 40, "Afloat", nullptr},
        {{"--from", "3,1", "--to", "2,0", "--wings"}, {2, 0}, 80, "OnFoot", nullptr},
    };
    for (const auto &c : cases) {
        const json report = route(c.args);
        EXPECT_EQ(report["end"], c.end) << c.args.back();
        EXPECT_EQ(report["totalTime"], c.totalTime) << c.args.back();
        EXPECT_EQ(report["startLayer"], c.startLayer) << c.args.back();
        if (c.totalTime.is_null()) {
            EXPECT_TRUE(report["duration"].is_null());
            EXPECT_EQ(report["path"], json::array());
        }
        if (!c.reached.is_null()) {
            EXPECT_EQ(report["reached"], c.reached);
        }
    }
    EXPECT_EQ(route({"--from", "3,1", "--to", "2,0", "--wings"})["reached"][1], 0);
}

TEST_F(RouteCli, BadCellsGiveStatusTwoAndAnUnreadableMapStatusOne)
{
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"route", map, "--from", "1"}, 2},
        {{"route", map, "--from", "1,x"}, 2},
        {{"route", map, "--from", "4,0"}, 2},
        {{"route", map, "--from", "0,0", "--to", "0,-1"}, 2},
        {{"route", map, "--from", "1,,1"}, 2},
        {{"route", map}, 2},
        {{"route", folder.file("rien.vr"), "--from", "0,0"}, 1},
        {{"route", folder.file("texte.vr"), "--from", "0,0"}, 1},
    };
    writeBytes(folder.file("texte.vr"), "ceci n'est pas une carte");
    for (const auto &c : cases) {
        const CliResult run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back();
        EXPECT_TRUE(run.out.empty()) << c.args.back();
        EXPECT_FALSE(run.err.empty()) << c.args.back();
    }
    EXPECT_NE(runCli({"route", map, "--from", "4,0"}).err.find("hors de la carte"), std::string::npos);
}
