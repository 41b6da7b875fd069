// pelmorin-cli route and matrix as a script writer uses them: cities named
// instead of cells, and the travel times between many cities at once.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "map/CarteVarenthe.h"

namespace {

// Five towns on a meadow with a lake between the first two.
std::string savedTowns()
{
    CarteVarenthe map;
    map.create(9, 4, 0, 0, 1, 100);
    for (int32_t y = 0; y < 3; ++y)
        map.SetCellTile(3, y, 103);
    map.SetCellElement(0, 0, {ElementCity, "Brurières", 0, 0, 12});
    map.SetCellElement(8, 0, {ElementCity, "Port-Noron", 8, 0, 7});
    map.SetCellElement(8, 3, {ElementCity, "Port-Aval", 8, 3, 8});
    map.SetCellElement(4, 3, {ElementCity, "Saint-Élan", 4, 3, 21});
    map.SetCellElement(0, 3, {ElementZone, "Brume", 0, 3, 252});
    const std::string path = std::filesystem::absolute("city-towns.vr").string();
    map.save(path);
    return path;
}

} // namespace

TEST(CityRouteCli, ACityNamedOrNumberedRoutesAsItsCell)
{
    const std::string map = savedTowns();
    const CliResult byCells = runCli({"route", map, "--from", "0,0", "--to", "8,0"});
    ASSERT_EQ(byCells.status, 0) << byCells.err;
    for (const std::vector<std::string> &ends :
         {std::vector<std::string>{"--from-city", "brurieres", "--to-city", "PORT-NORON"},
          {"--from-city", "12", "--to-city", "7"},
          {"--from-city", "Brur", "--to", "8,0"},
          {"--from", "0,0", "--to-city", "noron"}}) {
        std::vector<std::string> args{"route", map};
        args.insert(args.end(), ends.begin(), ends.end());
        const CliResult byCity = runCli(args);
        ASSERT_EQ(byCity.status, 0) << byCity.err;
        EXPECT_EQ(nlohmann::json::parse(byCity.out), nlohmann::json::parse(byCells.out)) << ends[1] << ends[3];
    }

    // --itinerary adds the steps, from the start to the arrival at the route's duration.
    const CliResult told = runCli({"route", map, "--from", "0,0", "--to", "8,0", "--itinerary"});
    ASSERT_EQ(told.status, 0) << told.err;
    const nlohmann::json report = nlohmann::json::parse(told.out);
    const nlohmann::json &steps = report.at("itinerary");
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps.front().at("event"), "Départ");
    EXPECT_EQ(steps.back().at("event"), "Arrivée");
    EXPECT_EQ(steps.back().at("time"), report.at("totalTime"));
    EXPECT_EQ(steps.back().at("x"), 8);
}

TEST(CityRouteCli, AnUnknownOrAmbiguousCityAndBadMatrixArgumentsAreRefused)
{
    const std::string map = savedTowns();
    struct Refusal {
        std::vector<std::string> args; // the command, then what follows the map
        std::vector<std::string> inMessage;
    };
    const Refusal refusals[] = {
        {{"route", "--from-city", "port"}, {"--from-city", "désigne 2 villes", "Port-Noron, Port-Aval"}},
        {{"route", "--from-city", "Bruiere"}, {"aucune ville", "villes proches : Brurières"}},
        {{"route", "--from", "0,0", "--to-city", "Lyon"},
         {"--to-city", "« Lyon » : aucune ville de ce nom ni de ce numéro."}},
        {{"route", "--from-city", "brume"}, {"aucune ville"}},
        {{"route", "--from-city", "99"}, {"aucune ville"}},
        {{"route", "--from", "0,0", "--from-city", "12"}, {}},
        {{"route", "--to-city", "12"}, {"--from ou --from-city"}},
        {{"matrix", "--cities", "12,99"}, {"--cities"}},
        {{"matrix", "--cities", "12,,7"}, {"--cities"}},
        {{"matrix", "--cities", "252"}, {"--cities"}},
        {{"matrix", "--format", "xml"}, {"--format"}},
        {{"matrix", "--jobs", "0"}, {"--jobs"}},
        {{"matrix", "--jobs", "deux"}, {"--jobs"}},
    };
    for (const Refusal &refusal : refusals) {
        std::vector<std::string> args = refusal.args;
        args.insert(args.begin() + 1, map);
        const CliResult run = runCli(args);
        EXPECT_EQ(run.status, 2) << refusal.args[1] << " " << refusal.args[2];
        EXPECT_EQ(run.out, "");
        for (const std::string &part : refusal.inMessage)
            EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    }
}

namespace {

// A small random map with a few cities: meadow, water, sand and ports.
std::string savedRandomTowns(std::mt19937 &random, int index)
{
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    constexpr int32_t Terrain[] = {100, 100, 100, 101, 103, 103, 104, 106, 1, 110};
    CarteVarenthe map;
    map.create(pick(3, 10), pick(3, 10), 0, 0, 1, 100);
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            map.SetCellTile(x, y, Terrain[pick(0, 9)]);
    for (int32_t number = 1; number <= 4; ++number) {
        const int32_t x = pick(0, map.width - 1);
        const int32_t y = pick(0, map.height - 1);
        map.SetCellElement(x, y, {ElementCity, "Ville " + std::to_string(number), x, y, number});
    }
    const std::string path = std::filesystem::absolute("matrix-" + std::to_string(index) + ".vr").string();
    map.save(path);
    return path;
}

} // namespace

TEST(MatrixCli, EveryTimeIsTheDurationOfTheSingleRoute)
{
    std::mt19937 random(7);
    for (int index = 0; index < 4; ++index) {
        const std::string map = savedRandomTowns(random, index);
        const std::vector<std::string> options = index % 2 ? std::vector<std::string>{"--embark", "--abandon"}
                                                           : std::vector<std::string>{"--wings"};
        std::vector<std::string> args{"matrix", map, "--jobs", std::to_string(1 + index % 3)};
        args.insert(args.end(), options.begin(), options.end());
        const CliResult matrix = runCli(args);
        ASSERT_EQ(matrix.status, 0) << matrix.err;
        const nlohmann::json report = nlohmann::json::parse(matrix.out);
        const nlohmann::json &cities = report["cities"];
        ASSERT_EQ(report["times"].size(), cities.size());
        for (size_t i = 0; i < cities.size(); ++i)
            for (size_t j = 0; j < cities.size(); ++j) {
                std::vector<std::string> single{"route", map, "--from-city", cities[i]["number"].dump(),
                                                "--to", cities[j]["x"].dump() + "," + cities[j]["y"].dump()};
                single.insert(single.end(), options.begin(), options.end());
                const nlohmann::json route = nlohmann::json::parse(runCli(single).out);
                EXPECT_EQ(report["times"][i][j], route["totalTime"].is_null() ? nlohmann::json(-1) : route["totalTime"])
                    << "map " << index << " from " << i << " to " << j;
            }
    }
}

TEST(MatrixCli, ChosenCitiesAsACsvTable)
{
    const std::string map = savedTowns();
    const CliResult csv = runCli({"matrix", map, "--cities", "7,12,21", "--format", "csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const CliResult json = runCli({"matrix", map, "--cities", "7,12,21"});
    const nlohmann::json times = nlohmann::json::parse(json.out)["times"];
    std::string expected = ",Port-Noron,Brurières,Saint-Élan\n";
    const char *names[] = {"Port-Noron", "Brurières", "Saint-Élan"};
    for (size_t i = 0; i < 3; ++i) {
        expected += names[i];
        for (size_t j = 0; j < 3; ++j)
            expected += "," + times[i][j].dump();
        expected += "\n";
    }
    EXPECT_EQ(csv.out, expected);
    EXPECT_EQ(times[0][0], 0);
    EXPECT_GT(times[1][0], 0);
}
