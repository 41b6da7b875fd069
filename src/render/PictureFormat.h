#pragma once
// The picture formats a map can be exported to, chosen by the file's name:
// the map window's "Enregistrer bitmap" and `pelmorin-cli render` follow the
// same rule.
#include <QString>
#include <cstdint>
#include <optional>

#include "render/PictureExport.h"

enum class PictureFormat { Bmp, Png };

// The format a name's extension asks for, in any case ("carte.PNG"), or the
// fallback when the name has no extension; nothing for any other extension.
std::optional<PictureFormat> pictureFormatForName(const QString &path, PictureFormat fallback);
// "bmp" or "png".
QString pictureSuffix(PictureFormat format);
// Whether the file's content is a picture of that format, whatever its name.
bool holdsPictureOf(const QString &path, PictureFormat format);
// The refusal of a name whose extension is neither.
QString unknownPictureExtensionMessage(const QString &path);

// The format's refusal of a picture of that size, or nothing when it fits.
std::optional<QString> pictureSizeProblem(PictureFormat format, int64_t width, int64_t height);

BitmapExportResult ExportMapPictureAs(PictureFormat format, const QString &path, const CarteVarenthe &map,
                                      const MapView &view, const AppSettings &settings, ScaledTileCache &tiles,
                                      const BitmapExportProgress &progress = {}, int bandRows = 0,
                                      const std::optional<QRect> &area = std::nullopt);
