// Cities placed, changed and removed by hand, undone exactly; a new city's number and name.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "map/CarteVarenthe.h"
#include "map/CityEdits.h"

namespace {

using Record = std::tuple<int32_t, std::string, int32_t, int32_t, int32_t>; // kind, name, x, y, number

Record record(const Element &e)
{
    return {e.kind, e.name, e.x, e.y, e.number};
}

// Every element record and every cell's element index.
std::pair<std::vector<Record>, std::vector<int32_t>> elementState(const CarteVarenthe &map)
{
    std::pair<std::vector<Record>, std::vector<int32_t>> state;
    for (const Element &e : map.elements)
        state.first.push_back(record(e));
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            state.second.push_back(map.elementIndex.at(x, y));
    return state;
}

} // namespace

TEST(CityEdits, EachEditLeavesItsRecordAndIsTakenBackExactly)
{
    enum Op { Place, Modify, Remove };
    const struct {
        const char *what;
        Op op;
        int32_t x, y, number;
        std::string name;
        std::optional<size_t> slot; // the record written, none when nothing changes
        Record after;
        int32_t indexAfter; // of the edited cell
    } cases[] = {
        {"a city on an empty cell is appended", Place, 0, 0, 13, "Cité neuve", 3, {1, "Cité neuve", 0, 0, 13}, 4},
        {"a city over a zone replaces it in place", Place, 2, 1, 14, "Vaux", 1, {1, "Vaux", 2, 1, 14}, 2},
        {"a city renamed and renumbered", Modify, 1, 1, 6, "Alba-la-Grande", 0, {1, "Alba-la-Grande", 1, 1, 6}, 1},
        {"a zone is not a city to modify", Modify, 2, 1, 6, "Vaux", std::nullopt, {}, 2},
        {"a removed city stays as an erased record the cell no longer names", Remove, 1, 1, 0, "", 0,
         {0, "", 1, 1, 0}, 0},
        {"nothing to remove on a cell without a city", Remove, 0, 0, 0, "", std::nullopt, {}, 0},
        {"nothing placed off the map", Place, 4, 0, 13, "Dehors", std::nullopt, {}, 0},
    };
    for (const auto &c : cases) {
        // Alba (5) in slot 0, a zone in slot 1, Brest (12) in slot 2.
        CarteVarenthe map;
        map.create(4, 3, 0, 0, 0, 100);
        map.SetCellElement(1, 1, Element{ElementCity, "Alba", 0, 0, 5});
        map.SetCellElement(2, 1, Element{ElementZone, "Zone habitable", 0, 0, 253});
        map.SetCellElement(3, 2, Element{ElementCity, "Brest", 0, 0, 12});
        map.modified = false;
        const auto before = elementState(map);
        const EditReport report = c.op == Place    ? placeCity(map, c.x, c.y, c.number, c.name)
                                  : c.op == Modify ? modifyCity(map, c.x, c.y, c.number, c.name)
                                                   : removeCity(map, c.x, c.y);
        EXPECT_EQ(map.modified, c.slot.has_value()) << c.what;
        if (!c.slot) {
            EXPECT_TRUE(report.empty()) << c.what;
            EXPECT_EQ(elementState(map), before) << c.what;
            continue;
        }
        EXPECT_EQ(record(map.elements.at(*c.slot)), c.after) << c.what;
        EXPECT_EQ(map.elementIndex.at(c.x, c.y), c.indexAfter) << c.what;
        EXPECT_EQ(report.bounds(), (CellRect{c.x, c.y, c.x, c.y})) << c.what;
        const auto after = elementState(map);
        report.undo(map);
        EXPECT_EQ(elementState(map), before) << c.what;
        report.redo(map);
        EXPECT_EQ(elementState(map), after) << c.what;
    }
}

TEST(CityEdits, TheNextNumberAndTheNamesAMapFileCannotHold)
{
    const struct {
        std::vector<std::pair<int32_t, int32_t>> elements; // kind, number
        int32_t next;
    } numbers[] = {
        {{{1, 5}, {2, 253}, {0, 900}, {1, 12}}, 13}, // zones and erased records do not count
        {{{1, -7}}, 1},
        {{{1, LargestCityNumber}, {1, 1}, {1, 2}, {1, 4}}, 3}, // the largest taken: the first free one
    };
    for (const auto &c : numbers) {
        CarteVarenthe map;
        map.create(10, 1, 0, 0, 0, 100);
        int32_t x = 0;
        for (const auto &[kind, number] : c.elements)
            map.SetCellElement(x++, 0, Element{kind, "Lieu", 0, 0, number});
        EXPECT_EQ(nextFreeCityNumber(map), c.next) << x;
    }

    const struct {
        std::string name;
        std::string reason; // part of the message; empty when the name is accepted
    } names[] = {
        {"Saint-Étienne d'Œuvre €5 ?", ""}, // every character in Windows-1252
        {"   ", "est vide"},
        {"Al\nba", "une seule ligne"},
        {"Al\tba", "contrôle"},
        {"Al\xC2\x81" "ba", "contrôle"}, // a C1 control, though it has a byte
        {"Ville \xE2\x9C\x93", "« \xE2\x9C\x93 »"},
        {"Al\xFF" "ba", "ne peut pas être enregistré"},
    };
    for (const auto &c : names) {
        const std::string problem = cityNameProblem(c.name);
        EXPECT_TRUE(c.reason.empty() ? problem.empty() : problem.find(c.reason) != std::string::npos)
            << c.name << " : " << problem;
    }
}
