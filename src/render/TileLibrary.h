#pragma once
// The master tile pictures of the aspect in use: 6000 slots filled lazily
// from the aspect folder, shared by every map window, the palette and the
// new-map dialog. Callers borrow the images; they stay valid until the next
// aspect change. QImage only, so it works without a display.
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>

class TileLibrary {
public:
    static constexpr int SlotCount = 6000;
    static constexpr int TileSize = 32;

    TileLibrary();

    // Frees every slot, stores the folder (Windows form, such as ".\img\1\",
    // joined to file names by plain concatenation), loads tile 250 from
    // ".\img\250.bmp" and makes the solid tiles 251 to 256.
    void SelectAspectFolder(const QString &folder);
    // Master picture of tile n, loaded on first use. Numbers outside 0 to
    // 5999 never index a slot: they get the black tile.
    const QImage &GetTile(int tile);
    bool isLoaded(int tile) const;
    void ReleaseTiles();
    QString aspectFolder() const { return folder_; }
    // Bumped by every aspect change, so that scaled copies know they are stale.
    uint64_t generation() const { return generation_; }

    // The file's picture, or a 32 x 32 black picture when the file is missing
    // or cannot be decoded. A relative path resolves against the program's
    // folder.
    static QImage LoadTileBitmap(const QString &path);
    static QImage MakeSolidTile(QRgb colour, int width, int height);
    // "007" below 100, plain decimal from 100 on.
    static QString tileFileName(int tile);

private:
    std::array<QImage, SlotCount> slots_;
    std::array<bool, SlotCount> loaded_{};
    QImage blackTile_;
    QString folder_;
    uint64_t generation_ = 0;
};
