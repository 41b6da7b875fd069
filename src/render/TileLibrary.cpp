#include "render/TileLibrary.h"

#include "settings/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

QImage blackTile()
{
    return TileLibrary::MakeSolidTile(qRgb(0, 0, 0), TileLibrary::TileSize, TileLibrary::TileSize);
}

struct SolidTile {
    int number;
    QRgb colour;
};

// Route overlay, border overlay and the four zone colours; the same in every
// aspect, so they never come from the aspect folder.
constexpr SolidTile SolidTiles[] = {
    {251, qRgb(161, 204, 245)},
    {252, qRgb(176, 176, 176)},
    {253, qRgb(0, 128, 0)},
    {254, qRgb(0, 0, 255)},
    {255, qRgb(255, 255, 0)},
    {256, qRgb(255, 0, 0)},
};

constexpr int ChangeOfLayerTile = 250;
const char *const ChangeOfLayerPath = ".\\img\\250.bmp";

} // namespace

TileLibrary::TileLibrary()
    : blackTile_(blackTile())
{
}

void TileLibrary::SelectAspectFolder(const QString &folder)
{
    ReleaseTiles();
    folder_ = folder;
    ++generation_;
    slots_[ChangeOfLayerTile] = LoadTileBitmap(QString::fromLatin1(ChangeOfLayerPath));
    loaded_[ChangeOfLayerTile] = true;
    for (const SolidTile &solid : SolidTiles) {
        slots_[solid.number] = MakeSolidTile(solid.colour, TileSize, TileSize);
        loaded_[solid.number] = true;
    }
}

const QImage &TileLibrary::GetTile(int tile)
{
    // A damaged map may hold any number; it must never reach the slot array.
    if (tile < 0 || tile >= SlotCount)
        return blackTile_;
    if (!loaded_[tile]) {
        // A missing or unreadable file leaves the black tile in the slot, so
        // the file is looked for once per aspect, not at every paint.
        slots_[tile] = LoadTileBitmap(folder_ + tileFileName(tile) + QStringLiteral(".bmp"));
        loaded_[tile] = true;
    }
    return slots_[tile];
}

bool TileLibrary::isLoaded(int tile) const
{
    return tile >= 0 && tile < SlotCount && loaded_[tile];
}

void TileLibrary::ReleaseTiles()
{
    for (int i = 0; i < SlotCount; ++i) {
        slots_[i] = QImage();
        loaded_[i] = false;
    }
    ++generation_;
}

QImage TileLibrary::LoadTileBitmap(const QString &path)
{
    // Aspect folders are relative to the program's folder, whatever the
    // current directory is.
    const QString local = ProgramFolder::resolve(path);
    if (!QFileInfo(local).isFile())
        return blackTile();

    QImageReader reader(local);
    QImage picture = reader.read();
    if (picture.isNull())
        return blackTile(); // treated like a missing file: no message, at every paint
    // Tiles are opaque; one format for all keeps the renderer's copies simple.
    return picture.convertToFormat(QImage::Format_RGB32);
}

QImage TileLibrary::MakeSolidTile(QRgb colour, int width, int height)
{
    QImage tile(width, height, QImage::Format_RGB32);
    tile.fill(colour | 0xFF000000u);
    return tile;
}

QString TileLibrary::tileFileName(int tile)
{
    if (tile >= 0 && tile < 100)
        return QStringLiteral("%1").arg(tile, 3, 10, QLatin1Char('0'));
    return QString::number(tile);
}
