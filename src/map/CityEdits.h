#pragma once
// Cities placed, changed and taken away by hand, one cell at a time: the map
// window's pop-up menu and `pelmorin-cli edit --city` both go through here,
// so a city written by either is the same record. Each edit says what it
// changed, for undo and for the views that follow.
#include <cstdint>
#include <string>
#include <string_view>

#include "map/EditReport.h"

class CarteVarenthe;

// The numbers a city may carry: maps that store no numbers give their cities
// their positions, from 0, and the game's web address takes any of them.
inline constexpr int32_t SmallestCityNumber = 0;
inline constexpr int32_t LargestCityNumber = 2147483647;

// The city on the cell, or none (no element, an erased one, a zone marker,
// a cell off the map).
const Element *cityAt(const CarteVarenthe &map, int32_t x, int32_t y);

// A city of that number and name on the cell, over whatever element the cell
// held (as a zone painted over a city replaces it). Nothing off the map.
EditReport placeCity(CarteVarenthe &map, int32_t x, int32_t y, int32_t number, std::string name);
// The cell's city gets that number and name; nothing when it holds no city.
EditReport modifyCity(CarteVarenthe &map, int32_t x, int32_t y, int32_t number, std::string name);
// The cell's city becomes an erased record (kind 0, no name, number 0) that
// stays in the list at its place, and the cell no longer names it; nothing
// when the cell holds no city.
EditReport removeCity(CarteVarenthe &map, int32_t x, int32_t y);

// One more than the largest city number (1 for a map without cities); the
// smallest free number from 1 when the largest possible one is taken.
int32_t nextFreeCityNumber(const CarteVarenthe &map);

// Why a name (UTF-8) cannot be a city's name in a map file, in French, or
// empty when it can: a name must say something, hold on one line of the
// file's text section, and every character must have a Windows-1252 form.
std::string cityNameProblem(std::string_view name);
