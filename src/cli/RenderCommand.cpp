// pelmorin-cli render: writes the picture (.bmp or .png, by the output's
// name) that "Enregistrer bitmap" saves for a map window at a zoom, with the display settings of a configuration file,
// after a route search when a start cell is given. Runs on a machine without
// a display.
#ifdef PELMORIN_WITH_RENDER

#include <CLI/CLI.hpp>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/CliParser.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "map/CarteVarenthe.h"
#include "settings/AppSettings.h"
#include "settings/ConfigFile.h"
#include "settings/SettingsStore.h"
#include "render/PictureFormat.h"
#include "render/MapView.h"
#include "render/ScaledTileCache.h"
#include "render/TileLibrary.h"
#include "route/RouteEndpoints.h"
#include "route/TravelTime.h"

namespace {

const char *const DefaultAspect = ".\\img\\1\\";

struct RenderRequest {
    std::string mapPath;
    std::string outputPath;
    int zoom = 100;
    std::string configPath;
    std::string aspectFolder;
    std::string from;
    std::string to;
    bool wings = false;
    bool embark = false;
    bool abandon = false;
};

void printError(const QString &message)
{
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

// Paths given on the command line are the user's, relative to where the
// command runs.
QString absolute(const std::string &path)
{
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath();
}

// Fonts need a GUI application; with no display the offscreen platform
// serves, unless the caller chose a platform.
void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Scripts read stderr for our French messages; the offscreen platform's
    // notes about the session (no runtime folder, no screen) are not theirs.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    });
    static int argc = 1;
    static char name[] = "pelmorin-cli";
    static char *argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

int runRender(const RenderRequest &request)
{
    ensureGuiApplication();
    const QString mapPath = absolute(request.mapPath);
    const QString outputPath = absolute(request.outputPath);
    // The output's extension chooses the format, as in the program's export
    // dialog; a name without one is a bitmap, as it always was.
    const std::optional<PictureFormat> format = pictureFormatForName(outputPath, PictureFormat::Bmp);
    if (!format)
        throw CLI::ValidationError("-o", unknownPictureExtensionMessage(outputPath).toStdString());

    AppSettings settings;
    QString aspect = QString::fromLatin1(DefaultAspect);
    if (!request.configPath.empty()) {
        const ConfigFile config(absolute(request.configPath));
        SettingsStore::readDisplaySettings(config, settings);
        aspect = config.readString(QStringLiteral("Affichage"), QStringLiteral("Aspect"), aspect);
    }
    if (!request.aspectFolder.empty()) {
        aspect = absolute(request.aspectFolder);
        if (!aspect.endsWith(QLatin1Char('/')))
            aspect += QLatin1Char('/');
    }

    CarteVarenthe map;
    if (!openMapOrReport(map, mapPath.toStdString()))
        return CliFailure;

    if (!request.from.empty()) {
        const CellArgument start = parseCellArgument(request.from, "--from");
        requireOnMap(start, "--from", map);
        std::optional<CellArgument> end;
        if (!request.to.empty()) {
            end = parseCellArgument(request.to, "--to");
            requireOnMap(*end, "--to", map);
        }
        // The program copies the route options from the settings when the
        // start is set; the flags switch options on over the file's values.
        setRouteOptions(map, settings.useWingsGift || request.wings, settings.allowEmbark || request.embark,
                        settings.allowAbandon || request.abandon);
        if (end)
            setRouteEnd(map, end->x, end->y);
        setRouteStart(map, start.x, start.y);
        if (end) {
            if (map.routeTotalTime >= 0)
                std::printf("Durée de l'itinéraire : %s\n", FormatTravelTime(map.routeTotalTime).c_str());
            else
                std::printf("Aucun itinéraire ne mène de %d,%d à %d,%d.\n", start.x, start.y, end->x, end->y);
        }
    }

    TileLibrary library;
    library.SelectAspectFolder(aspect);
    ScaledTileCache tiles(library);
    MapView view;
    view.cellSize = MapView::cellSizeForZoom(request.zoom);
    view.gridGap = settings.gridGap;

    const BitmapExportResult result = ExportMapPictureAs(*format, outputPath, map, view, settings, tiles);
    if (!result.ok) {
        printError(result.error);
        return CliFailure;
    }
    const QSize size = mapPictureSize(map, view);
    std::printf("Image enregistrée : %s (%d x %d pixels)\n", outputPath.toUtf8().constData(), size.width(),
                size.height());
    return CliSuccess;
}

} // namespace

CliCommand addRenderCommand(CLI::App &app)
{
    auto request = std::make_shared<RenderRequest>();
    CLI::App *render = app.add_subcommand(
        "render", "Enregistre la carte entière en image bitmap (.bmp) ou PNG (.png), comme « Enregistrer bitmap »");
    render->add_option("MAP", request->mapPath, "Carte à dessiner (.vr)")->required();
    render->add_option("-o,--output", request->outputPath, "Image à écrire (.bmp ou .png, selon son nom)")->required();
    render->add_option("--zoom", request->zoom, "Zoom en pour cent, de 5 à 100 (100 par défaut)")
        ->check(integerBetween(MapView::MinZoomPercent, MapView::MaxZoomPercent));
    render->add_option("--config", request->configPath,
                       "Fichier de configuration dont la section « Affichage » donne les réglages")
        ->check(existingFile());
    render->add_option("--aspect", request->aspectFolder, "Dossier des tuiles (par défaut celui de la configuration)")
        ->check(existingFolder());
    CLI::Option *from = render->add_option("--from", request->from, "Case de départ d'un itinéraire")->type_name("X,Y");
    render->add_option("--to", request->to, "Case d'arrivée de l'itinéraire")->type_name("X,Y")->needs(from);
    render->add_flag("--wings", request->wings, "Utiliser le don « Ailes »")->needs(from);
    render->add_flag("--embark", request->embark, "Autoriser à embarquer")->needs(from);
    render->add_flag("--abandon", request->abandon, "Autoriser à abandonner le bateau")->needs(from);
    return {render, [request] { return runRender(*request); }};
}

#endif
