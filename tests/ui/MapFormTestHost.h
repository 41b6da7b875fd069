#pragma once
// A stand-in main window for the map window under test, and its user's mouse.
#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <array>
#include <gtest/gtest.h>
#include <vector>

#include "render/MapRenderer.h"
#include "render/ScaledTileCache.h"
#include "render/TileLibrary.h"
#include "settings/AppSettings.h"
#include "settings/ProgramFolder.h"
#include "ui/MapWindowHost.h"
#include "ui/TMapForm.h"
#include "ui/UserDialogs.h"

class FakeMapWindowHost : public MapWindowHost {
public:
    AppSettings &settings() override { return appSettings; }
    TileLibrary &tileLibrary() override { return tiles; }
    void MapWindowActivated(TMapForm *window) override { activations.push_back(window); }
    void setStatusPanelText(int panel, const QString &text) override { panels.at(panel) = text; }
    QSize mainClientSize() const override { return {1000, 700}; }
    bool paletteVisible() const override { return paletteShown; }
    int SelectedTile(int button) const override { return button == 0 ? leftTile : rightTile; }
    bool SaveMap(TMapForm *window) override
    {
        ++saveRequests;
        if (saveSucceeds)
            window->document().modified = false;
        return saveSucceeds;
    }
    void repaintMinimap() override { ++minimapRepaints; }
    void citiesChanged(TMapForm *) override { ++cityChanges; }

    AppSettings appSettings;
    TileLibrary tiles;
    std::vector<TMapForm *> activations;
    std::array<QString, 4> panels;
    bool paletteShown = false, saveSucceeds = true;
    int leftTile = -1, rightTile = -1, saveRequests = 0, minimapRepaints = 0, cityChanges = 0;
};

class ScriptedDialogs : public UserDialogs {
public:
    ScriptedDialogs() { setUserDialogs(this); }
    ~ScriptedDialogs() override { setUserDialogs(nullptr); }
    QString openFile(QWidget *, const FileRequest &) override { return {}; }
    QString saveFile(QWidget *, const FileRequest &) override { return {}; }
    Answer askYesNoCancel(QWidget *, const QString &title, const QString &text) override
    {
        questions.push_back(title + QStringLiteral(" / ") + text);
        return answer;
    }
    void showError(QWidget *, const QString &, const QString &text) override { errors.push_back(text); }
    void showInformation(QWidget *, const QString &, const QString &) override {}

    Answer answer = Answer::Cancel;
    QStringList questions, errors;
};

// Catches the addresses handed to the desktop, so no browser opens.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
    QStringList opened;
public slots:
    void openUrl(const QUrl &url) { opened.push_back(url.toString()); }
};

// Grass (tile 100) with world provinces of 20 by 13 cells.
inline std::unique_ptr<CarteVarenthe> grassWorld(int width = 60, int height = 40)
{
    auto map = std::make_unique<CarteVarenthe>();
    map->create(width, height, 20, 13, 1, 100);
    map->fileName = "essai.vr";
    map->modified = false;
    return map;
}

// Grounds and road pieces (100 to 122) in distinct gradients, and maps in stripes, where a misplaced piece shows.
struct ColouredTiles {
    explicit ColouredTiles(TileLibrary &tiles)
    {
        QDir(folder.path()).mkpath(QStringLiteral("img/1"));
        for (int tile = 100; tile <= 122; ++tile) {
            QImage picture(32, 32, QImage::Format_RGB32);
            for (int i = 0; i < 32 * 32; ++i)
                picture.setPixel(i % 32, i / 32, qRgb(tile + i % 32 * 4, i / 32 * 7, (tile * 37) % 256));
            picture.save(folder.filePath(QStringLiteral("img/1/%1.bmp").arg(tile)));
        }
        ProgramFolder::setPath(folder.path());
        tiles.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
    }
    ~ColouredTiles()
    {
        ProgramFolder::setPath(QString());
        QDir::setCurrent(workingFolder);
    }
    std::unique_ptr<CarteVarenthe> map(int width, int height) const
    {
        auto map = grassWorld(width, height);
        for (int i = 0; i < width * height; ++i)
            map->terrain.at(i % width, i / width) = 100 + (i % width * 3 + i / width * 5) % 4;
        return map;
    }
    QTemporaryDir folder;
    const QString workingFolder = QDir::currentPath();
};

inline QPoint scrollOf(const TMapForm &form) { return {form.scrollX(), form.scrollY()}; }
inline void scrollTo(TMapForm &form, QPoint position)
{
    form.setScrollX(position.x());
    form.setScrollY(position.y());
}

// The window's picture as drawn afresh from its map and view.
inline QImage freshPicture(const TMapForm &form, FakeMapWindowHost &host)
{
    QImage picture(form.size(), QImage::Format_RGB32);
    const MapView view{form.cellSize(), form.gridGap(), form.viewOriginX(), form.viewOriginY()};
    ScaledTileCache tiles(host.tiles);
    RenderMap(picture, form.rect(), view, form.document(), host.appSettings, tiles);
    return picture;
}

// Mouse events as the windowing system delivers them.
inline void sendMouse(QWidget &widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at,
                      Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held, modifiers);
    QCoreApplication::sendEvent(&widget, &event);
}
inline void pressAt(QWidget &widget, Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers modifiers = {})
{
    sendMouse(widget, QEvent::MouseButtonPress, button, button, at, modifiers);
}
inline void moveTo(QWidget &w, Qt::MouseButtons held, QPoint at) { sendMouse(w, QEvent::MouseMove, {}, held, at); }
inline void releaseAt(QWidget &w, Qt::MouseButton b, QPoint at) { sendMouse(w, QEvent::MouseButtonRelease, b, {}, at); }
inline void clickAt(QWidget &widget, Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers modifiers = {})
{
    pressAt(widget, button, at, modifiers);
    releaseAt(widget, button, at);
}
inline void turnWheel(QWidget &widget, int delta, QPoint at = {100, 100})
{
    QWheelEvent event(QPointF(at), QPointF(widget.mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&widget, &event);
}

// A cell's centre in the window at full size with the grid, the view at the map's corner.
inline QPoint cellCentre(int column, int row) { return {column * 33 + 16, row * 33 + 16}; }
inline QPoint cellCentre(QPoint cell) { return cellCentre(cell.x(), cell.y()); }

// The press stores the target, then the windowing system asks for the context menu.
inline void rightClick(TMapForm &form, QPoint at)
{
    pressAt(form, Qt::RightButton, at);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, form.mapToGlobal(at));
    QCoreApplication::sendEvent(&form, &menuEvent);
    releaseAt(form, Qt::RightButton, at);
}

class MapFormFixture : public ::testing::Test {
protected:
    TMapForm &show(std::unique_ptr<CarteVarenthe> map = grassWorld(300, 169), QSize size = {600, 400})
    {
        form_ = std::make_unique<TMapForm>(host, std::move(map));
        form_->resize(size);
        form_->show();
        QCoreApplication::processEvents();
        form_->Timer1->stop(); // the test runs the ticks itself
        return *form_;
    }
    FakeMapWindowHost host;
    std::unique_ptr<TMapForm> form_;
};
