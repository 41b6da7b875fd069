#pragma once
// The main window as the map window benchmarks see it: its settings and
// tiles, a client area of a given size and, when a tile is held on the left
// button, the palette shown; saving and the status bar do nothing.
#include <QSize>

#include "render/TileLibrary.h"
#include "settings/AppSettings.h"
#include "ui/MapWindowHost.h"

class BenchMapHost : public MapWindowHost {
public:
    explicit BenchMapHost(QSize clientSize, int leftTile = -1) : clientSize(clientSize), leftTile(leftTile) {}
    AppSettings &settings() override { return appSettings; }
    TileLibrary &tileLibrary() override { return tiles; }
    void MapWindowActivated(TMapForm *) override {}
    void setStatusPanelText(int, const QString &) override {}
    QSize mainClientSize() const override { return clientSize; }
    bool paletteVisible() const override { return leftTile >= 0; }
    int SelectedTile(int button) const override { return button == 0 ? leftTile : -1; }
    bool SaveMap(TMapForm *) override { return false; }
    void repaintMinimap() override {}

    AppSettings appSettings;
    TileLibrary tiles;
    QSize clientSize;
    int leftTile;
};
