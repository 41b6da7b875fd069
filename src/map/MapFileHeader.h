#pragma once
// Layout of a map file (".vr"): a 44-byte header, the cells, the elements,
// the cost tables and a text section of province and element names. All
// numbers are little-endian. Shared by the reader, the writer and the tests
// that build files byte by byte.
#include <cstddef>
#include <cstdint>

struct MapFileHeader {
    int32_t magic = 0;
    int32_t dataOffset = 0;
    int32_t version = 0;
    int32_t generatedAt = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t provinceWidth = 0;
    int32_t provinceHeight = 0;
    int32_t provinceCount = 0;
    int32_t bitsPerCell = 0;
    int32_t mapType = 0;
};

// "PMVR" read as a little-endian 32-bit number.
inline constexpr int32_t MapFileMagic = 0x52564D50;
inline constexpr size_t MapFileHeaderSize = 44;
// The version `save` writes; 3 and later carry 16-byte element records.
inline constexpr int32_t MapFileVersion = 3;
inline constexpr int32_t MapFileBitsPerCell = 16;
// 3 tables of 256 signed 32-bit costs.
inline constexpr size_t MapFileCostTablesSize = 3 * 256 * 4;

// Messages of the map files, French UTF-8, shown as they stand.
inline constexpr const char *MapFileOpenMessage = "Impossible d'ouvrir le fichier indiqué";
inline constexpr const char *MapFileDimensionsMessage =
    "Les dimensions de la carte sont trop grande ou le fichier est invalide.";
inline constexpr const char *MapFileElementCountMessage =
    "Le nombre d'éléments de la carte est trop important ou le fichier est invalide.";
inline constexpr const char *MapFileDamagedMessage = "Le fichier de carte est incomplet ou invalide.";
inline constexpr const char *MapFileMemoryMessage = "La mémoire manque pour traiter cette carte.";

// A signed 32-bit field of the file, stored little-endian.
inline int32_t readInt32(const unsigned char *p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8
                                | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}
