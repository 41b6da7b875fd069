// pelmorin-cli route and matrix: one JSON object, ends given as cells or
// cities, and the travel times between many cities at once.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "../map/MapTestFiles.h"
#include "CliRunner.h"
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

json gridJson(const Grid &grid)
{
    json rows = json::array();
    for (int32_t y = 0; y < grid.height(); ++y)
        rows.push_back(std::vector<int32_t>(grid.row(y), grid.row(y) + grid.width()));
    return rows;
}

// The report of a route that succeeded.
json routeReport(std::vector<std::string> args)
{
    args.insert(args.begin(), "route");
    const CliResult run = runCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? json::parse(run.out) : json();
}

} // namespace

// The golden answers: the start decides the layer; an end out of reach (water without --embark) gives no path.
TEST(RouteCli, TheAnswerOfEachStartAndEnd)
{
    ScratchFolder folder;
    const std::string map = folder.file("port.vr");
    harbourMap().save(map);
    expectGoldenTranscript("route-port.txt", {{"@map", map}});

    // --grids gives the grids of the map window's own search.
    const json report = routeReport({map, "--from", "0,1", "--to", "2,1", "--embark", "--abandon", "--grids"});
    CarteVarenthe expected = harbourMap();
    setRouteOptions(expected, false, true, true);
    setRouteStart(expected, 0, 1);
    setRouteEnd(expected, 2, 1);
    EXPECT_EQ(report["routeTime"], json({gridJson(expected.routeTime[0]), gridJson(expected.routeTime[1])}));
    EXPECT_EQ(report["routeStep"], json({gridJson(expected.routeStep[0]), gridJson(expected.routeStep[1])}));
    EXPECT_EQ(report["routeMark"], gridJson(expected.routeMark));
    EXPECT_EQ(report["totalTime"], expected.routeTotalTime);
}

TEST(RouteCli, ACityNamedOrNumberedRoutesAsItsCellAndTheItineraryEndsAtTheArrival)
{
    ScratchFolder folder;
    const std::string map = savedTowns(folder.path());
    const json byCells = routeReport({map, "--from", "0,0", "--to", "8,0"});
    for (const std::vector<std::string> &ends :
         {std::vector<std::string>{"--from-city", "brurieres", "--to-city", "PORT-NORON"},
          {"--from-city", "12", "--to-city", "7"}, {"--from-city", "Brur", "--to", "8,0"},
          {"--from", "0,0", "--to-city", "noron"}}) {
        std::vector<std::string> args{map};
        args.insert(args.end(), ends.begin(), ends.end());
        EXPECT_EQ(routeReport(args), byCells) << ends[1] << ends[3];
    }

    const json report = routeReport({map, "--from", "0,0", "--to", "8,0", "--itinerary"});
    const json &steps = report.at("itinerary");
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps.front().at("event"), "Départ");
    EXPECT_EQ(steps.back().at("event"), "Arrivée");
    EXPECT_EQ(steps.back().at("time"), report.at("totalTime"));
    EXPECT_EQ(steps.back().at("x"), 8);
}

// The matrix's agreement with single routes is the search's; here, that the
// options reach it and the CSV table of chosen cities.
TEST(MatrixCli, TheOptionsReachEveryTimeAndTheCsvListsTheChosenCities)
{
    ScratchFolder folder;
    const std::string map = savedTowns(folder.path());
    const CliResult matrix = runCli({"matrix", map, "--jobs", "2", "--wings"});
    ASSERT_EQ(matrix.status, 0) << matrix.err;
    const json report = json::parse(matrix.out);
    ASSERT_EQ(report["cities"].size(), 4u);
    const json &from = report["cities"][0], &to = report["cities"][1];
    std::vector<std::string> ends{map, "--from-city", from["number"].dump(), "--to", to["x"].dump() + "," + to["y"].dump()};
    const json plain = routeReport(ends);
    ends.push_back("--wings");
    EXPECT_EQ(report["times"][0][1], routeReport(ends)["totalTime"]);
    EXPECT_NE(report["times"][0][1], plain["totalTime"]) << "the lake is crossed only with wings";

    const CliResult csv = runCli({"matrix", map, "--cities", "7,12,21", "--format", "csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    expectGoldenText(csv.out, "matrix-towns.csv");
}
