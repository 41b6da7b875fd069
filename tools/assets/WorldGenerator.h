#pragma once
// The sample world map shipped beside the program: a 300 x 169 world map with
// provinces of 20 x 13 cells, drawn by a deterministic generator, so that a
// new user sees a real map at the first start.
#include <QString>
#include <cstdint>

class CarteVarenthe;

inline constexpr int32_t SampleWorldWidth = 300;
inline constexpr int32_t SampleWorldHeight = 169;
inline constexpr int SampleWorldCities = 100;

// Builds the whole sample world into `map`.
void generateSampleWorld(CarteVarenthe &map);

// Saves it through the map library, then stamps the file's generation date
// with `generatedAt` instead of the moment of the save, so that every build
// writes the same bytes.
void writeSampleWorld(const CarteVarenthe &map, const QString &path, int32_t generatedAt);

// The generation date recorded in the sample map: SOURCE_DATE_EPOCH when the
// build sets it, else a fixed date.
int32_t sampleWorldDate();
