// The route told step by step in the traveller's order, and travel times as the player reads them.
#include <gtest/gtest.h>

#include "map/CarteVarenthe.h"
#include "route/Itinerary.h"
#include "route/MoveRules.h"
#include "route/RouteEndpoints.h"
#include "route/TravelTime.h"

namespace {

// Three provinces, the middle one unnamed and crossed by a sea from a port to a port or a beach.
CarteVarenthe crossing(int32_t eastShore)
{
    CarteVarenthe map;
    map.create(60, 13, 20, 13, 1, 100);
    map.provinceNames = {"Aval", "", "Amont"};
    for (int32_t y = 0; y < 13; ++y)
        for (int32_t x = 25; x < 35; ++x)
            map.terrain.at(x, y) = 103;
    map.terrain.at(24, 6) = PortCode;
    map.terrain.at(35, 6) = eastShore;
    map.SetCellElement(10, 6, Element{ElementCity, "Mi-Chemin", 0, 0, 3});
    return map;
}

std::vector<std::string> told(const CarteVarenthe &map)
{
    std::vector<std::string> steps;
    for (const ItineraryStep &step : buildItinerary(map))
        steps.push_back(std::string(itineraryEventText(step.event)) + (step.name.empty() ? "" : " " + step.name));
    return steps;
}

void travel(CarteVarenthe &map, bool embark, bool abandon)
{
    setRouteOptions(map, false, embark, abandon);
    setRouteEnd(map, 50, 6);
    setRouteStart(map, 2, 6);
}

} // namespace

TEST(Itinerary, TheTravellerMeetsCitiesProvincesAndBoatsInOrder)
{
    CarteVarenthe byPort = crossing(PortCode);
    travel(byPort, true, false);
    EXPECT_EQ(told(byPort), (std::vector<std::string>{"Départ", "Ville Mi-Chemin", "Province Province A2", "Embarquer",
                                                      "Débarquer", "Province Amont", "Arrivée"}));
    const std::vector<ItineraryStep> steps = buildItinerary(byPort);
    EXPECT_EQ(std::tuple(steps.front().time, steps.back().time, steps.back().x),
              std::tuple(0, byPort.routeTotalTime, 50));
    for (size_t i = 1; i < steps.size(); ++i)
        EXPECT_LE(steps[i - 1].time, steps[i].time) << "step " << i;
    EXPECT_EQ(steps[2].x, 20) << "the province is entered at its first column";

    // Landing on a beach leaves the boat there.
    CarteVarenthe byBeach = crossing(SandCode);
    travel(byBeach, true, true);
    const std::vector<std::string> beach = told(byBeach);
    ASSERT_GE(beach.size(), 5u);
    EXPECT_EQ(beach[4], "Abandon du bateau");

    // Without boats the far shore is out of reach: no itinerary at all.
    CarteVarenthe onFoot = crossing(PortCode);
    travel(onFoot, false, false);
    EXPECT_TRUE(buildItinerary(onFoot).empty());
}

TEST(TravelTime, ReadsAsHoursAndTwoDigitsOfMinutesNegativesIncluded)
{
    const std::pair<int32_t, const char *> cases[] = {
        {0, "0:00"}, {61, "1:01"}, {6000, "100:00"}, {-75, "-1:15"},
        {2147483647, "35791394:07"}, {-2147483647 - 1, "-35791394:08"},
    };
    for (const auto &[minutes, text] : cases)
        EXPECT_EQ(FormatTravelTime(minutes), text) << minutes;
}
