// pelmorin-cli matrix: the travel times between every ordered pair of a
// map's cities, for scripts that plan many journeys at once, as JSON or as a
// square CSV table. One search from each city, on as many threads as asked.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliParser.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "map/CarteVarenthe.h"
#include "route/MatrixRunner.h"
#include "route/RouteEndpoints.h"

namespace {

using Json = nlohmann::ordered_json;

struct MatrixRequest {
    std::string mapPath;
    std::string cities;
    bool wings = false;
    bool embark = false;
    bool abandon = false;
    std::string format = "json";
    int jobs = 1;
};

std::vector<int32_t> cityNumbers(const std::string &text)
{
    std::vector<int32_t> numbers;
    const char *p = text.data();
    const char *end = p + text.size();
    while (true) {
        int32_t number = 0;
        const auto [next, error] = std::from_chars(p, end, number);
        if (error != std::errc() || next == p || (next != end && *next != ','))
            throw CLI::ValidationError("--cities", "« " + text + " » : numéros de villes séparés par des virgules "
                                                                 "attendus (N1,N2,...)");
        numbers.push_back(number);
        if (next == end)
            return numbers;
        p = next + 1;
    }
}

// The chosen cities in the order asked, or every city of the map in the
// document's order.
std::vector<const Element *> chosenCities(const CarteVarenthe &map, const std::string &numbers)
{
    std::vector<const Element *> cities;
    if (numbers.empty()) {
        for (const Element &element : map.elements)
            if (element.kind == ElementCity)
                cities.push_back(&element);
        return cities;
    }
    for (const int32_t number : cityNumbers(numbers)) {
        const Element *found = nullptr;
        for (const Element &element : map.elements) {
            if (element.kind != ElementCity || element.number != number)
                continue;
            if (found)
                throw CLI::ValidationError("--cities", "plusieurs villes portent le numéro " + std::to_string(number)
                                                           + " (" + found->name + ", " + element.name + ")");
            found = &element;
        }
        if (!found)
            throw CLI::ValidationError("--cities", "aucune ville ne porte le numéro " + std::to_string(number));
        cities.push_back(found);
    }
    return cities;
}

std::string jsonReport(const std::vector<const Element *> &cities, const std::vector<int32_t> &times)
{
    Json report;
    report["cities"] = Json::array();
    for (const Element *city : cities)
        report["cities"].push_back({{"number", city->number}, {"name", city->name}, {"x", city->x}, {"y", city->y}});
    report["times"] = Json::array();
    for (size_t i = 0; i < cities.size(); ++i)
        report["times"].push_back(Json(std::vector<int32_t>(times.begin() + static_cast<ptrdiff_t>(i * cities.size()),
                                                            times.begin() + static_cast<ptrdiff_t>((i + 1) * cities.size()))));
    return report.dump() + "\n";
}

// A name with a comma, a quote or a line break is quoted, its quotes doubled,
// so that spreadsheets read the table as it is.
std::string csvField(const std::string &text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string csvReport(const std::vector<const Element *> &cities, const std::vector<int32_t> &times)
{
    std::string text;
    for (const Element *city : cities)
        text += "," + csvField(city->name);
    text += "\n";
    for (size_t i = 0; i < cities.size(); ++i) {
        text += csvField(cities[i]->name);
        for (size_t j = 0; j < cities.size(); ++j)
            text += "," + std::to_string(times[i * cities.size() + j]);
        text += "\n";
    }
    return text;
}

int runMatrix(const MatrixRequest &request)
{
    // A malformed list is refused before the map is read, as route does
    // with its cells.
    if (!request.cities.empty())
        cityNumbers(request.cities);
    CarteVarenthe map;
    if (!openMapOrReport(map, request.mapPath))
        return CliFailure;
    const std::vector<const Element *> cities = chosenCities(map, request.cities);
    setRouteOptions(map, request.wings, request.embark, request.abandon);

    std::vector<MatrixCell> cells;
    for (const Element *city : cities)
        cells.push_back({city->x, city->y});
    const std::vector<int32_t> times = runTravelMatrix(map, cells, static_cast<unsigned>(request.jobs));

    const std::string text = request.format == "csv" ? csvReport(cities, times) : jsonReport(cities, times);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return CliSuccess;
}

} // namespace

CliCommand addMatrixCommand(CLI::App &app)
{
    auto request = std::make_shared<MatrixRequest>();
    request->jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    CLI::App *matrix = app.add_subcommand(
        "matrix", "Temps de trajet en minutes entre toutes les villes d'une carte, prises deux à deux (-1 : injoignable)");
    matrix->add_option("MAP", request->mapPath, "Carte (.vr)")->required();
    matrix->add_option("--cities", request->cities, "Numéros des villes, dans l'ordre voulu (toutes par défaut)")
        ->type_name("N1,N2,...");
    matrix->add_flag("--wings", request->wings, "Utiliser le don « Ailes »");
    matrix->add_flag("--embark", request->embark, "Autoriser embarquer/débarquer");
    matrix->add_flag("--abandon", request->abandon, "Autoriser abandon de l'embarcation sur le sable");
    matrix->add_option("--format", request->format, "Sortie JSON ou tableau CSV")
        ->type_name("json|csv")
        ->check(oneOf({"json", "csv"}))
        ->capture_default_str();
    matrix->add_option("--jobs", request->jobs, "Nombre de fils de calcul (par défaut, un par cœur)")
        ->type_name("N")
        ->check(integerBetween(1, 1024))
        ->capture_default_str();
    return {matrix, [request] { return runMatrix(*request); }};
}
