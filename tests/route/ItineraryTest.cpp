// The route told step by step: start, boats taken and left, cities passed,
// provinces entered, arrival, in the order the traveller meets them.
#include <gtest/gtest.h>

#include "map/CarteVarenthe.h"
#include "route/Itinerary.h"
#include "route/MoveRules.h"
#include "route/RouteEndpoints.h"

namespace {

// One row of three provinces of 20 x 13 cells, the middle one unnamed; a sea
// across the middle province with a port on the west shore and, on the east
// shore, a port or a beach.
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
    Element city;
    city.kind = ElementCity;
    city.number = 3;
    city.name = "Mi-Chemin";
    map.SetCellElement(10, 6, city);
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
    EXPECT_EQ(steps.front().time, 0);
    EXPECT_EQ(steps.back().time, byPort.routeTotalTime);
    EXPECT_EQ(steps.back().x, 50);
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
