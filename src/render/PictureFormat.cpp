#include "render/PictureFormat.h"

#include <QFileInfo>
#include <QImageReader>

#include "render/BitmapExport.h"
#include "render/PngExport.h"

std::optional<PictureFormat> pictureFormatForName(const QString &path, PictureFormat fallback)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty() && !path.endsWith(QLatin1Char('.')))
        return fallback;
    if (suffix == QLatin1String("bmp"))
        return PictureFormat::Bmp;
    if (suffix == QLatin1String("png"))
        return PictureFormat::Png;
    return std::nullopt;
}

QString pictureSuffix(PictureFormat format)
{
    return format == PictureFormat::Png ? QStringLiteral("png") : QStringLiteral("bmp");
}

bool holdsPictureOf(const QString &path, PictureFormat format)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.canRead() && reader.format() == pictureSuffix(format).toLatin1();
}

QString unknownPictureExtensionMessage(const QString &path)
{
    return QStringLiteral("« %1 » n'est pas un nom d'image que Pelmorin sait écrire : choisissez un nom en "
                          "« .bmp » (image bitmap) ou en « .png » (image PNG).")
        .arg(QFileInfo(path).fileName());
}

std::optional<QString> pictureSizeProblem(PictureFormat format, int64_t width, int64_t height)
{
    return format == PictureFormat::Png ? pngSizeProblem(width, height) : bitmapSizeProblem(width, height);
}

BitmapExportResult ExportMapPictureAs(PictureFormat format, const QString &path, const CarteVarenthe &map,
                                      const MapView &view, const AppSettings &settings, ScaledTileCache &tiles,
                                      const BitmapExportProgress &progress, int bandRows,
                                      const std::optional<QRect> &area)
{
    if (format == PictureFormat::Png) {
        PngRowWriter writer;
        return ExportMapPicture(path, map, view, settings, tiles, writer, progress, bandRows, area);
    }
    BmpRowWriter writer;
    return ExportMapPicture(path, map, view, settings, tiles, writer, progress, bandRows, area);
}
