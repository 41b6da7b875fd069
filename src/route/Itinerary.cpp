#include "route/Itinerary.h"

#include <algorithm>

#include "route/MoveRules.h"
#include "route/RouteSearch.h"

const char *itineraryEventText(ItineraryEvent event)
{
    switch (event) {
    case ItineraryEvent::Start: return "Départ";
    case ItineraryEvent::Embark: return "Embarquer";
    case ItineraryEvent::Disembark: return "Débarquer";
    case ItineraryEvent::AbandonBoat: return "Abandon du bateau";
    case ItineraryEvent::City: return "Ville";
    case ItineraryEvent::Province: return "Province";
    case ItineraryEvent::Arrival: return "Arrivée";
    }
    return "";
}

std::string provinceLabel(const CarteVarenthe &map, int32_t index)
{
    if (index >= 0 && static_cast<size_t>(index) < map.provinceNames.size() && !map.provinceNames[index].empty())
        return map.provinceNames[static_cast<size_t>(index)];
    const int32_t perRow = std::max(map.provincesPerRow(), 1);
    return "Province " + CarteVarenthe::rowLetters(index / perRow) + std::to_string(index % perRow + 1);
}

std::vector<ItineraryStep> buildItinerary(const CarteVarenthe &map)
{
    const std::vector<RouteCell> cells = tracedRoute(map);
    std::vector<ItineraryStep> steps;
    if (cells.empty())
        return steps;
    auto timeAt = [&map](const RouteCell &cell) { return map.routeTime[cell.layer].at(cell.x, cell.y); };
    steps.push_back({ItineraryEvent::Start, cells.front().x, cells.front().y, timeAt(cells.front()), {}});
    int32_t province = map.provinceIndexAt(cells.front().x, cells.front().y);
    for (size_t i = 1; i < cells.size(); ++i) {
        const RouteCell &cell = cells[i];
        const int32_t time = timeAt(cell);
        if (cell.layer != cells[i - 1].layer) {
            // Boats are left in a port (the cell landed on or the one landed
            // from); anywhere else, on sand, they are abandoned.
            ItineraryEvent event = ItineraryEvent::Embark;
            if (cell.layer == OnFoot) {
                const bool port = map.terrainAt(cell.x, cell.y) == PortCode
                                  || map.terrainAt(cells[i - 1].x, cells[i - 1].y) == PortCode;
                event = port ? ItineraryEvent::Disembark : ItineraryEvent::AbandonBoat;
            }
            steps.push_back({event, cell.x, cell.y, time, {}});
        }
        const int32_t entered = map.provinceIndexAt(cell.x, cell.y);
        if (entered != province && entered >= 0)
            steps.push_back({ItineraryEvent::Province, cell.x, cell.y, time, provinceLabel(map, entered)});
        province = entered;
        const Element *element = map.elementAt(cell.x, cell.y);
        if (i + 1 < cells.size() && element && element->kind == ElementCity)
            steps.push_back({ItineraryEvent::City, cell.x, cell.y, time, element->name});
    }
    steps.push_back({ItineraryEvent::Arrival, cells.back().x, cells.back().y, map.routeTotalTime, {}});
    return steps;
}
