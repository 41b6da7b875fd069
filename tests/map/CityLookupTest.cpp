// A city found as a player types it, and the names offered when the text names none or several.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/CarteVarenthe.h"
#include "map/CityLookup.h"

namespace {

CarteVarenthe townsMap()
{
    CarteVarenthe map;
    map.create(8, 2, 0, 0, 1, 100);
    const std::pair<const char *, int32_t> cities[] = {
        {"Brurières", 12},      {"Port-Noron", 7},   {"Port", 3},  {"Œillet-sur-Mer", 40},
        {"Saint-Élan", 21},     {"Saint-Aubin", 22}, {"1789", 90}, {"Brume", 252},
        {"Vieux-Gué", 5},       {"Vieux-Gue", 6}};
    for (int i = 0; i < 10; ++i)
        map.SetCellElement(i % 8, i / 8, {i == 7 ? ElementZone : ElementCity, cities[i].first, 0, 0, cities[i].second});
    return map;
}

std::vector<std::string> namesOf(const std::vector<const Element *> &cities)
{
    std::vector<std::string> names;
    for (const Element *city : cities)
        names.push_back(city->name);
    return names;
}

using LookupCase = std::pair<const char *, std::vector<std::string>>;

} // namespace

TEST(CityLookup, TypedTextNamesTheCitiesAPlayerMeans)
{
    const CarteVarenthe map = townsMap();
    const LookupCase cases[] = {
        {"BRURIÈRES", {"Brurières"}},                     // capitals and the accent itself
        {"oeillet", {"Œillet-sur-Mer"}},                  // the ligature spelt out
        {"Port", {"Port"}},                               // the whole name wins over a longer one
        {"3", {"Port"}},                                  // a city number
        {"1789", {"1789"}},                               // digits that are no number fall back to names
        {"vieux-gue", {"Vieux-Gué", "Vieux-Gue"}},        // two names alike once folded
        {"252", {}},                                      // a zone's code is not a city
    };
    for (const auto &[query, found] : cases)
        EXPECT_EQ(namesOf(findCities(map, query)), found) << query;
}

TEST(CityLookup, CloseNamesListTheMatchesThenTheNearSpellings)
{
    const CarteVarenthe map = townsMap();
    const LookupCase cases[] = {
        {"saint", {"Saint-Élan", "Saint-Aubin"}},  // ambiguous: the matches
        {"prot", {"Port", "Port-Noron"}},          // a slip in the first letters
    };
    for (const auto &[query, found] : cases)
        EXPECT_EQ(closeCityNames(map, query), found) << query;
    EXPECT_EQ(closeCityNames(map, "o", 5).size(), 5u) << "never more than asked";
}
