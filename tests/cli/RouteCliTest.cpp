// pelmorin-cli route as a script uses it: one JSON object on stdout, French
// messages on stderr, status 1 for a map it cannot read, 2 for bad arguments.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "map/CarteVarenthe.h"
#include "route/RouteEndpoints.h"

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

CliRun runCli(const std::string &arguments)
{
    const std::string command =
        std::string("\"") + PELMORIN_CLI + "\" " + arguments + " > route-cli.out 2> route-cli.err";
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = slurp("route-cli.out");
    run.err = slurp("route-cli.err");
    return run;
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

std::string savedHarbour()
{
    const std::string path = std::filesystem::absolute("route-harbour.vr").string();
    CarteVarenthe map = harbourMap();
    map.save(path);
    return path;
}

nlohmann::json gridJson(const Grid &grid)
{
    nlohmann::json rows = nlohmann::json::array();
    for (int32_t y = 0; y < grid.height(); ++y)
        rows.push_back(std::vector<int32_t>(grid.row(y), grid.row(y) + grid.width()));
    return rows;
}

} // namespace

TEST(RouteCli, BoardingAtThePortGivesTheRouteAndItsDuration)
{
    const std::string map = savedHarbour();
    const CliRun run = runCli("route \"" + map + "\" --from 0,0 --to 3,0 --embark");
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["start"], nlohmann::json({0, 0}));
    EXPECT_EQ(report["end"], nlohmann::json({3, 0}));
    EXPECT_EQ(report["startLayer"], "OnFoot");
    EXPECT_EQ(report["totalTime"], 40 + 21 + 20);
    EXPECT_EQ(report["duration"], "1:21");
    EXPECT_EQ(report["path"], nlohmann::json::parse("[[0,0,1],[1,0,3],[2,0,1],[3,0,1]]"));
    EXPECT_FALSE(report.contains("routeTime"));
    // Keys come in the order a reader expects.
    EXPECT_EQ(run.out.rfind("{\"start\":", 0), 0u);
}

TEST(RouteCli, GridsAreThoseOfTheMapWindowsSearch)
{
    const std::string map = savedHarbour();
    const CliRun run = runCli("route \"" + map + "\" --from 0,1 --to 2,1 --embark --abandon --grids");
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json report = nlohmann::json::parse(run.out);

    CarteVarenthe expected = harbourMap();
    setRouteOptions(expected, false, true, true);
    setRouteStart(expected, 0, 1);
    setRouteEnd(expected, 2, 1);
    EXPECT_EQ(report["routeTime"], nlohmann::json({gridJson(expected.routeTime[0]), gridJson(expected.routeTime[1])}));
    EXPECT_EQ(report["routeStep"], nlohmann::json({gridJson(expected.routeStep[0]), gridJson(expected.routeStep[1])}));
    EXPECT_EQ(report["routeMark"], gridJson(expected.routeMark));
    EXPECT_EQ(report["totalTime"], expected.routeTotalTime);
    EXPECT_EQ(report["routeTime"][1][0][3], expected.routeTimeAt(3, 0, 1));
    EXPECT_EQ(report["routeTime"][0][0][3], -1) << "nobody walks on deep water";
    int onFoot = 0;
    int afloat = 0;
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x) {
            onFoot += expected.routeTimeAt(x, y, 0) != -1;
            afloat += expected.routeTimeAt(x, y, 1) != -1;
        }
    EXPECT_EQ(report["reached"], nlohmann::json({onFoot, afloat}));
    EXPECT_GT(afloat, 0);
}

TEST(RouteCli, NoEndOrAnUnreachableEndGivesNoRoute)
{
    const std::string map = savedHarbour();
    CliRun run = runCli("route \"" + map + "\" --from 0,0");
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_TRUE(report["end"].is_null());
    EXPECT_TRUE(report["totalTime"].is_null());
    EXPECT_TRUE(report["duration"].is_null());
    EXPECT_EQ(report["path"], nlohmann::json::array());
    EXPECT_EQ(report["reached"], nlohmann::json({5, 0}));

    // Without leave to embark the water stays out of reach.
    run = runCli("route \"" + map + "\" --from 0,0 --to 3,1");
    ASSERT_EQ(run.status, 0) << run.err;
    report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["end"], nlohmann::json({3, 1}));
    EXPECT_TRUE(report["totalTime"].is_null());
    EXPECT_EQ(report["path"], nlohmann::json::array());
}

TEST(RouteCli, StartOnWaterSailsUnlessWingsAreUsed)
{
    const std::string map = savedHarbour();
    CliRun run = runCli("route \"" + map + "\" --from 3,1 --to 2,0");
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["startLayer"], "Afloat");
    EXPECT_EQ(report["totalTime"], 40);
    run = runCli("route \"" + map + "\" --from 3,1 --to 2,0 --wings");
    report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["startLayer"], "OnFoot");
    EXPECT_EQ(report["totalTime"], 80);
    EXPECT_EQ(report["reached"][1], 0);
}

TEST(RouteCli, BadCellsAreRefusedWithStatusTwo)
{
    const std::string map = savedHarbour();
    for (const std::string arguments : {"--from 1", "--from 1,x", "--from 4,0", "--from 0,0 --to 0,-1",
                                        "--from 1,,1", ""}) {
        const CliRun run = runCli("route \"" + map + "\" " + arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        EXPECT_FALSE(run.err.empty()) << arguments;
    }
    const CliRun outside = runCli("route \"" + map + "\" --from 4,0");
    EXPECT_NE(outside.err.find("hors de la carte"), std::string::npos) << outside.err;
}

TEST(RouteCli, UnreadableMapGivesStatusOneAndNoOutput)
{
    std::ofstream("route-garbage.vr") << "ceci n'est pas une carte";
    for (const std::string path : {"route-garbage.vr", "route-missing.vr"}) {
        const CliRun run = runCli("route " + path + " --from 0,0");
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_TRUE(run.out.empty()) << path;
        EXPECT_FALSE(run.err.empty()) << path;
    }
}
