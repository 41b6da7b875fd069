#pragma once
// Finding a city of a document from what a player or a script types: its
// number in the game, or a piece of its name, whatever the case and accents
// ("brur" finds "Brurières"). Used by pelmorin-cli and the city list.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "map/CarteVarenthe.h"

// The name as compared: lower case, accents dropped, ligatures spelt out
// ("Œuvre" gives "oeuvre"). Characters that map files cannot hold count as '?'.
std::string foldedName(std::string_view name);

// The cities (element kind 1) that `query` names, in the document's order:
// a query of digits only is a city number, when some city has it; otherwise
// the cities whose folded name equals the folded query, or, when none does,
// those whose folded name contains it. An empty query names none.
std::vector<const Element *> findCities(const CarteVarenthe &map, std::string_view query);

// Up to `limit` city names worth offering when `query` names no city or
// several: the cities it names first, then the names nearest to it in
// spelling, each name once.
std::vector<std::string> closeCityNames(const CarteVarenthe &map, std::string_view query, size_t limit = 5);
