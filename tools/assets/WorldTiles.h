#pragma once
// The tile numbers the world generator paints with, and what they are on the
// sample world map.
#include <cstdint>

namespace WorldTile {
inline constexpr int32_t Port = 1;
inline constexpr int32_t Fortress = 2;
inline constexpr int32_t Reef = 3;
inline constexpr int32_t Grass = 100;
inline constexpr int32_t Forest = 101;
inline constexpr int32_t Hills = 102;
inline constexpr int32_t Sea = 103;
inline constexpr int32_t River = 104;
inline constexpr int32_t Mountains = 105;
inline constexpr int32_t Sand = 106;
inline constexpr int32_t Snow = 107;
inline constexpr int32_t Marsh = 108;
inline constexpr int32_t Road = 110;
inline constexpr int32_t Town = 121;
inline constexpr int32_t Bridge = 122;
inline constexpr int32_t Ruins = 131;
inline constexpr int32_t Volcano = 132;
inline constexpr int32_t Mine = 133;
inline constexpr int32_t Stones = 141;
inline constexpr int32_t Tower = 142;
inline constexpr int32_t Camp = 143;
inline constexpr int32_t Oasis = 144;
inline constexpr int32_t Taiga = 145;
inline constexpr int32_t Boulders = 146;
inline constexpr int32_t Glacier = 147;
} // namespace WorldTile
