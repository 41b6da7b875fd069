#include "map/CityEdits.h"

#include <algorithm>
#include <vector>

#include "map/CarteVarenthe.h"
#include "map/Windows1252.h"

namespace {

// Bytes of the UTF-8 sequence that `lead` starts (1 for a byte that starts
// none, which the round trip below then refuses).
size_t sequenceLength(unsigned char lead)
{
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

} // namespace

const Element *cityAt(const CarteVarenthe &map, int32_t x, int32_t y)
{
    const Element *element = map.elementAt(x, y);
    return element && element->kind == ElementCity ? element : nullptr;
}

EditReport placeCity(CarteVarenthe &map, int32_t x, int32_t y, int32_t number, std::string name)
{
    EditReport report;
    map.SetCellElement(x, y, Element{ElementCity, std::move(name), x, y, number}, &report);
    return report;
}

EditReport modifyCity(CarteVarenthe &map, int32_t x, int32_t y, int32_t number, std::string name)
{
    if (!cityAt(map, x, y))
        return {};
    return placeCity(map, x, y, number, std::move(name));
}

EditReport removeCity(CarteVarenthe &map, int32_t x, int32_t y)
{
    EditReport report;
    if (!cityAt(map, x, y))
        return report;
    int32_t &index = map.elementIndex.at(x, y);
    Element &city = map.elements[static_cast<size_t>(index) - 1];
    // The record stays, so that the cells naming later elements stay right
    // and the file keeps its element count.
    ElementChange change{static_cast<size_t>(index) - 1, false, x, y, index, 0, city,
                         Element{ElementNone, {}, city.x, city.y, 0}};
    city = change.after;
    index = 0;
    map.modified = true;
    report.recordElement(std::move(change));
    return report;
}

int32_t nextFreeCityNumber(const CarteVarenthe &map)
{
    int32_t largest = 0;
    for (const Element &element : map.elements)
        if (element.kind == ElementCity)
            largest = std::max(largest, element.number);
    if (largest < LargestCityNumber)
        return largest + 1;
    std::vector<int32_t> taken;
    for (const Element &element : map.elements)
        if (element.kind == ElementCity && element.number > 0)
            taken.push_back(element.number);
    std::sort(taken.begin(), taken.end());
    int32_t free = 1;
    for (const int32_t number : taken) {
        if (number > free)
            break;
        free = number + 1;
    }
    return free;
}

std::string cityNameProblem(std::string_view name)
{
    if (name.find_first_not_of(' ') == std::string_view::npos)
        return "Le nom de la ville est vide.";
    if (name.find_first_of("\r\n") != std::string_view::npos)
        return "Le nom de la ville doit tenir sur une seule ligne.";
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return "Le nom de la ville contient un caractère de contrôle.";
    // A character that comes back unchanged from Windows-1252 is written as
    // typed; any other would turn into '?' in the file.
    for (size_t at = 0; at < name.size();) {
        const size_t length = std::min(sequenceLength(static_cast<unsigned char>(name[at])), name.size() - at);
        const std::string_view character = name.substr(at, length);
        // U+0080 to U+009F: controls, even those that have a byte of their own.
        if (length == 2 && static_cast<unsigned char>(character[0]) == 0xC2
            && static_cast<unsigned char>(character[1]) < 0xA0)
            return "Le nom de la ville contient un caractère de contrôle.";
        if (cp1252ToUtf8(utf8ToCp1252(character)) != character)
            return "Le caractère « " + std::string(character)
                   + " » ne peut pas être enregistré dans une carte : choisissez-en un autre.";
        at += length;
    }
    return {};
}
