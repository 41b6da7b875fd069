#pragma once
// The game's movement rules: how many minutes one step from a cell to a side
// neighbour takes, on foot or afloat, with or without a switch of travel
// layer (embarking, disembarking, abandoning the boat on sand). The route
// search asks them for the eight moves out of every state it settles; the
// tests and benchmarks use them as the graph of independent searches.
#include <array>
#include <cstdint>

#include "map/CarteVarenthe.h"

// A search state: a cell and the travel layer the traveller is in.
struct SearchState {
    int32_t x = 0;
    int32_t y = 0;
    uint8_t onFoot = 1; // 1 on foot (or flying with the gift), 0 afloat
};

// Move codes 0 to 7: east, south, west, north, then the same four directions
// with a switch of travel layer. The direction is the code modulo 4.
enum MoveCode : int32_t {
    MoveEast = 0,
    MoveSouth = 1,
    MoveWest = 2,
    MoveNorth = 3,
    MoveSwitchEast = 4,
    MoveSwitchSouth = 5,
    MoveSwitchWest = 6,
    MoveSwitchNorth = 7,
};
inline constexpr int32_t MoveCodeCount = 8;
inline constexpr std::array<int32_t, 4> MoveDx = {1, 0, -1, 0};
inline constexpr std::array<int32_t, 4> MoveDy = {0, 1, 0, -1};

// Minutes added by a switch made from a code-1 cell (a port), indexed by
// direction; a switch costs P[reverse direction] + P[south] + 5.
inline constexpr std::array<int32_t, 4> SwitchTable = {9, 6, 10, 6};
inline constexpr int32_t SwitchExtra = 5;
// Minutes added when a boat is abandoned on sand to go on on foot.
inline constexpr int32_t AbandonExtra = 5;
inline constexpr int32_t PortCode = 1;
inline constexpr int32_t SandCode = 106;
// Codes from here on (and codes outside 0..255, which have no table entry)
// are costed like a port on foot and are closed to boats.
inline constexpr int32_t FirstHighCode = 128;

inline constexpr int32_t switchCost(int32_t direction)
{
    return SwitchTable[(direction + 2) & 3] + SwitchTable[1] + SwitchExtra;
}

// True for the terrain codes whose own table entries cost a step.
inline bool isTableCostedCode(int32_t code) { return code >= 0 && code < FirstHighCode; }

// Minutes of the step `move` out of `from`, or -1 when the step is
// impossible. `to` receives the reached state even then. Costs that do not
// fit a signed 32-bit number of minutes are impossible too.
int32_t moveCost(const CarteVarenthe &map, const SearchState &from, int32_t move, SearchState &to);

// Whether a route starting on the cell starts on foot: its terrain can be
// walked on, or the "Ailes" gift is used.
bool startsOnFoot(const CarteVarenthe &map, int32_t x, int32_t y);

// Whether a cell of this code can be walked on by the foot table's own
// judgement (start layer, end mark); codes outside 0..255 count as a port.
bool walkableByFootTable(const CostTables &tables, int32_t code);

// Whether the step out of (x, y) in `direction` leaves the cell's province.
bool leavesProvince(const CarteVarenthe &map, int32_t x, int32_t y, int32_t direction);

// The largest number of minutes one step can cost with the document's
// tables and the rules' extras: the route search sizes its queue from it.
int64_t largestStepCost(const CarteVarenthe &map);
