#include "map/CityLookup.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <tuple>

#include "map/Windows1252.h"

namespace {

// Every name of a map file is Windows-1252, so folding works on those bytes:
// one table entry per byte, most of them the byte itself.
std::array<std::string_view, 256> makeFoldTable()
{
    static std::array<char, 256> single{};
    std::array<std::string_view, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        single[byte] = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
        table[byte] = std::string_view(&single[byte], 1);
    }
    const auto set = [&table](std::string_view bytes, std::string_view folded) {
        for (char byte : bytes)
            table[static_cast<unsigned char>(byte)] = folded;
    };
    set("\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", "a");
    set("\xC7\xE7", "c");
    set("\xD0\xF0", "d");
    set("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "e");
    set("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "i");
    set("\xD1\xF1", "n");
    set("\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", "o");
    set("\x8A\x9A", "s");
    set("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "u");
    set("\xDD\xFD\xFF\x9F", "y");
    set("\x8E\x9E", "z");
    set("\xC6\xE6", "ae");
    set("\x8C\x9C", "oe");
    set("\xDE\xFE", "th");
    set("\xDF", "ss");
    return table;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 9
           && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Letters added, dropped, changed or swapped with their neighbour: the slips
// of a hurried typist.
size_t editDistance(std::string_view a, std::string_view b)
{
    const size_t columns = b.size() + 1;
    std::vector<size_t> d((a.size() + 1) * columns);
    const auto at = [&d, columns](size_t i, size_t j) -> size_t & { return d[i * columns + j]; };
    for (size_t i = 0; i <= a.size(); ++i)
        at(i, 0) = i;
    for (size_t j = 0; j <= b.size(); ++j)
        at(0, j) = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
        }
    }
    return at(a.size(), b.size());
}

} // namespace

std::string foldedName(std::string_view name)
{
    static const std::array<std::string_view, 256> table = makeFoldTable();
    std::string folded;
    for (char byte : utf8ToCp1252(name))
        folded += table[static_cast<unsigned char>(byte)];
    return folded;
}

std::vector<const Element *> findCities(const CarteVarenthe &map, std::string_view query)
{
    std::vector<const Element *> found;
    if (allDigits(query)) {
        const int32_t number = std::stoi(std::string(query));
        for (const Element &element : map.elements)
            if (element.kind == ElementCity && element.number == number)
                found.push_back(&element);
        if (!found.empty())
            return found;
    }
    const std::string wanted = foldedName(query);
    if (wanted.empty())
        return found;
    std::vector<const Element *> containing;
    for (const Element &element : map.elements) {
        if (element.kind != ElementCity)
            continue;
        const std::string name = foldedName(element.name);
        if (name == wanted)
            found.push_back(&element);
        else if (name.find(wanted) != std::string::npos)
            containing.push_back(&element);
    }
    // "Port" names the city of that name even beside "Port-Noron".
    return found.empty() ? containing : found;
}

std::vector<std::string> closeCityNames(const CarteVarenthe &map, std::string_view query, size_t limit)
{
    std::vector<std::string> names;
    const auto offer = [&names, limit](const std::string &name) {
        if (names.size() < limit && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (const Element *city : findCities(map, query))
        offer(city->name);

    // A typing slip anywhere in the name, or in its first letters only
    // ("brurs" for "Brurières").
    const std::string wanted = foldedName(query);
    const size_t tolerance = std::max<size_t>(1, wanted.size() / 3);
    std::vector<std::tuple<size_t, std::string, std::string>> near;
    for (const Element &element : map.elements) {
        if (element.kind != ElementCity)
            continue;
        const std::string name = foldedName(element.name);
        const size_t distance = std::min(editDistance(wanted, name), editDistance(wanted, name.substr(0, wanted.size())));
        if (distance <= tolerance)
            near.emplace_back(distance, name, element.name);
    }
    std::sort(near.begin(), near.end());
    for (const auto &[distance, folded, name] : near)
        offer(name);
    return names;
}
