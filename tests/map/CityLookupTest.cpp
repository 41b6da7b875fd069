// Finding a city as a player types it: by number, by a piece of its name,
// whatever the case and the accents, and the names offered when the text
// names no city or several.
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
    map.SetCellElement(0, 0, {ElementCity, "Brurières", 0, 0, 12});
    map.SetCellElement(1, 0, {ElementCity, "Port-Noron", 1, 0, 7});
    map.SetCellElement(2, 0, {ElementCity, "Port", 2, 0, 3});
    map.SetCellElement(3, 0, {ElementCity, "Œillet-sur-Mer", 3, 0, 40});
    map.SetCellElement(4, 0, {ElementCity, "Saint-Élan", 4, 0, 21});
    map.SetCellElement(5, 0, {ElementCity, "Saint-Aubin", 5, 0, 22});
    map.SetCellElement(6, 0, {ElementCity, "1789", 6, 0, 90});
    map.SetCellElement(7, 0, {ElementZone, "Brume", 7, 0, 252});
    map.SetCellElement(0, 1, {ElementCity, "Vieux-Gué", 0, 1, 5});
    map.SetCellElement(1, 1, {ElementCity, "Vieux-Gue", 1, 1, 6});
    return map;
}

std::vector<std::string> namesOf(const std::vector<const Element *> &cities)
{
    std::vector<std::string> names;
    for (const Element *city : cities)
        names.push_back(city->name);
    return names;
}

struct LookupCase {
    const char *query;
    std::vector<std::string> found;
};

} // namespace

TEST(CityLookup, TypedTextNamesTheCitiesAPlayerMeans)
{
    const CarteVarenthe map = townsMap();
    const LookupCase cases[] = {
        {"brur", {"Brurières"}},                          // a piece of the name, no accent typed
        {"BRURIÈRES", {"Brurières"}},                     // capitals and the accent itself
        {"saint-elan", {"Saint-Élan"}},                   // capital accented letter
        {"oeillet", {"Œillet-sur-Mer"}},                  // the ligature spelt out
        {"Port", {"Port"}},                               // the whole name wins over a longer one
        {"por", {"Port-Noron", "Port"}},                  // a piece of two names: both
        {"saint", {"Saint-Élan", "Saint-Aubin"}},
        {"12", {"Brurières"}},                            // a city number
        {"3", {"Port"}},
        {"1789", {"1789"}},                               // digits that are no number fall back to names
        {"vieux-gue", {"Vieux-Gué", "Vieux-Gue"}},        // two names alike once folded
        {"252", {}},                                      // a zone's code is not a city
        {"brume", {}},                                    // nor its name
        {"", {}},
        {"Lyon", {}},
    };
    for (const LookupCase &c : cases)
        EXPECT_EQ(namesOf(findCities(map, c.query)), c.found) << c.query;
}

TEST(CityLookup, CloseNamesListTheMatchesThenTheNearSpellings)
{
    const CarteVarenthe map = townsMap();
    const LookupCase cases[] = {
        {"saint", {"Saint-Élan", "Saint-Aubin"}},  // ambiguous: the matches
        {"bruiere", {"Brurières"}},                // a slip in the name
        {"prot", {"Port", "Port-Noron"}},          // a slip in the first letters
        {"zzzz", {}},                              // nothing near
    };
    for (const LookupCase &c : cases)
        EXPECT_EQ(closeCityNames(map, c.query), c.found) << c.query;
    EXPECT_EQ(closeCityNames(map, "o", 5).size(), 5u) << "never more than asked";
}
