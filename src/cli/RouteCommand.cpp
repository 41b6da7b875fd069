// pelmorin-cli route: the fastest routes from a start cell, as the map window
// computes them after "Definr point de départ", printed as one JSON object
// for scripts: the start layer, the traced route to an end cell with its
// duration, how many cells each layer reaches and, on request, the grids.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "map/CarteVarenthe.h"
#include "route/MoveRules.h"
#include "route/Itinerary.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"
#include "route/TravelTime.h"

namespace {

using Json = nlohmann::ordered_json;

struct RouteRequest {
    std::string mapPath;
    std::string from;
    std::string to;
    std::string fromCity;
    std::string toCity;
    bool wings = false;
    bool embark = false;
    bool abandon = false;
    bool grids = false;
    bool itinerary = false;
};

Json gridRows(const Grid &grid)
{
    Json rows = Json::array();
    for (int32_t y = 0; y < grid.height(); ++y) {
        const int32_t *row = grid.row(y);
        rows.push_back(Json(std::vector<int32_t>(row, row + grid.width())));
    }
    return rows;
}

int32_t reachedCells(const Grid &times)
{
    int32_t count = 0;
    for (size_t i = 0; i < times.size(); ++i)
        count += times.data()[i] != -1;
    return count;
}

Json routeReport(const CarteVarenthe &map, const RouteRequest &request)
{
    Json report;
    report["start"] = {map.routeStartX, map.routeStartY};
    report["end"] = map.routeEndX == -1 ? Json(nullptr) : Json{map.routeEndX, map.routeEndY};
    report["startLayer"] = startsOnFoot(map, map.routeStartX, map.routeStartY) ? "OnFoot" : "Afloat";
    // The document is fresh: a duration is there only when this trace set it.
    const bool traced = map.routeTotalTime != -1;
    report["totalTime"] = traced ? Json(map.routeTotalTime) : Json(nullptr);
    report["duration"] = traced ? Json(FormatTravelTime(map.routeTotalTime)) : Json(nullptr);
    Json path = Json::array();
    if (traced)
        for (const RouteCell &cell : tracedRoute(map))
            path.push_back({cell.x, cell.y, cell.mark});
    report["path"] = std::move(path);
    report["reached"] = {reachedCells(map.routeTime[OnFoot]), reachedCells(map.routeTime[Afloat])};
    if (request.itinerary) {
        Json steps = Json::array();
        for (const ItineraryStep &step : buildItinerary(map))
            steps.push_back({{"event", itineraryEventText(step.event)},
                             {"x", step.x},
                             {"y", step.y},
                             {"time", step.time},
                             {"name", step.name.empty() ? Json(nullptr) : Json(step.name)}});
        report["itinerary"] = std::move(steps);
    }
    if (request.grids) {
        report["routeTime"] = {gridRows(map.routeTime[OnFoot]), gridRows(map.routeTime[Afloat])};
        report["routeStep"] = {gridRows(map.routeStep[OnFoot]), gridRows(map.routeStep[Afloat])};
        report["routeMark"] = gridRows(map.routeMark);
    }
    return report;
}

// Bad cells and cities that cannot be told apart end the command with
// status 2 through CLI::ValidationError, an unreadable map with status 1.
int runRoute(const RouteRequest &request)
{
    if (request.from.empty() && request.fromCity.empty())
        throw CLI::ValidationError("route", "--from ou --from-city est nécessaire");
    std::optional<CellArgument> start;
    if (!request.from.empty())
        start = parseCellArgument(request.from, "--from");
    std::optional<CellArgument> end;
    if (!request.to.empty())
        end = parseCellArgument(request.to, "--to");

    CarteVarenthe map;
    if (!openMapOrReport(map, request.mapPath))
        return CliFailure;
    if (start)
        requireOnMap(*start, "--from", map);
    else
        start = cityArgument(request.fromCity, "--from-city", map);
    if (end)
        requireOnMap(*end, "--to", map);
    else if (!request.toCity.empty())
        end = cityArgument(request.toCity, "--to-city", map);

    setRouteOptions(map, request.wings, request.embark, request.abandon);
    setRouteStart(map, start->x, start->y);
    if (end)
        setRouteEnd(map, end->x, end->y);

    const std::string text = routeReport(map, request).dump() + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return CliSuccess;
}

} // namespace

CliCommand addRouteCommand(CLI::App &app)
{
    auto request = std::make_shared<RouteRequest>();
    CLI::App *route = app.add_subcommand(
        "route", "Cherche les plus courts chemins depuis une case et décrit l'itinéraire en JSON");
    route->add_option("MAP", request->mapPath, "Carte (.vr)")->required();
    CLI::Option *from =
        route->add_option("--from", request->from, "Case de départ (colonne, ligne, à partir de 0)")->type_name("X,Y");
    CLI::Option *to = route->add_option("--to", request->to, "Case d'arrivée de l'itinéraire")->type_name("X,Y");
    route->add_option("--from-city", request->fromCity, "Ville de départ, par son nom ou son numéro")
        ->type_name("NOM|NUMERO")
        ->excludes(from);
    route->add_option("--to-city", request->toCity, "Ville d'arrivée, par son nom ou son numéro")
        ->type_name("NOM|NUMERO")
        ->excludes(to);
    route->add_flag("--wings", request->wings, "Utiliser le don « Ailes »");
    route->add_flag("--embark", request->embark, "Autoriser embarquer/débarquer");
    route->add_flag("--abandon", request->abandon, "Autoriser abandon de l'embarcation sur le sable");
    route->add_flag("--grids", request->grids, "Ajouter les grilles routeTime, routeStep et routeMark");
    route->add_flag("--itinerary", request->itinerary,
                    "Ajouter l'itinéraire : départ, bateaux pris et quittés, villes et provinces traversées, arrivée");
    return {route, [request] { return runRoute(*request); }};
}
