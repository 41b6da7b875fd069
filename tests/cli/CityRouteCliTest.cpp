// pelmorin-cli route and matrix as a script writer uses them: cities named
// instead of cells, and the travel times between many cities at once.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
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
}

TEST(CityRouteCli, AnUnknownOrAmbiguousCityIsRefusedWithCloseNames)
{
    const std::string map = savedTowns();
    struct Refusal {
        std::vector<std::string> args;
        std::vector<std::string> inMessage;
    };
    const Refusal refusals[] = {
        {{"--from-city", "port"}, {"--from-city", "désigne 2 villes", "Port-Noron, Port-Aval"}},
        {{"--from-city", "Bruiere"}, {"aucune ville", "villes proches : Brurières"}},
        {{"--from", "0,0", "--to-city", "Lyon"}, {"--to-city", "« Lyon » : aucune ville de ce nom ni de ce numéro."}},
        {{"--from-city", "brume"}, {"aucune ville"}},
        {{"--from-city", "99"}, {"aucune ville"}},
        {{"--from", "0,0", "--from-city", "12"}, {}},
        {{"--to-city", "12"}, {"--from ou --from-city"}},
    };
    for (const Refusal &refusal : refusals) {
        std::vector<std::string> args{"route", map};
        args.insert(args.end(), refusal.args.begin(), refusal.args.end());
        const CliResult run = runCli(args);
        EXPECT_EQ(run.status, 2) << refusal.args[1];
        EXPECT_EQ(run.out, "");
        for (const std::string &part : refusal.inMessage)
            EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    }
}
