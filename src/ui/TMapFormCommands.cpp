// The map window's commands: the route pop-up menu and the route commands of
// the main menu, the close query, and the bitmap export.
#include <QCloseEvent>
#include <algorithm>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QProgressDialog>
#include <QTimer>

#include "settings/AppSettings.h"
#include "render/PictureFormat.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"
#include "ui/MapViewGeometry.h"
#include "ui/MapWindowHost.h"
#include "ui/TMapForm.h"
#include "ui/BusyPointer.h"
#include "ui/UserDialogs.h"

void TMapForm::DefinrPointDepartExecute()
{
    const QPoint cell = targetedCell();
    setRouteStartAt(cell.x(), cell.y());
}

void TMapForm::DefinirPointArriveeExecute()
{
    const QPoint cell = targetedCell();
    setRouteEndAt(cell.x(), cell.y());
}

void TMapForm::setRouteStartAt(int column, int row)
{
    const AppSettings &settings = host_.settings();
    setRouteOptions(*document_, settings.useWingsGift, settings.allowEmbark, settings.allowAbandon);
    {
        BusyPointer busy;
        setRouteStart(*document_, column, row);
    }
    repaintMap();
    host_.routeChanged(this);
}

void TMapForm::followRouteOptions()
{
    CarteVarenthe &map = *document_;
    const AppSettings &settings = host_.settings();
    if (map.routeStartX < 0 || (map.useWingsGift == settings.useWingsGift && map.allowEmbark == settings.allowEmbark
                                && map.allowAbandon == settings.allowAbandon))
        return;
    setRouteOptions(map, settings.useWingsGift, settings.allowEmbark, settings.allowAbandon);
    {
        BusyPointer busy;
        searchRoutes(map);
        if (map.routeEndX >= 0)
            traceRoute(map);
    }
    repaintMap();
    host_.routeChanged(this);
}

bool TMapForm::hasRoute() const
{
    return document_->routeStartX >= 0 && document_->routeEndX >= 0 && document_->routeTotalTime >= 0;
}

void TMapForm::fitRoute()
{
    if (!hasRoute())
        return;
    const CarteVarenthe &map = *document_;
    const MapViewGeometry::SpanView view =
        MapViewGeometry::routeSpanView({map.routeStartX, map.routeStartY}, {map.routeEndX, map.routeEndY},
                                       clientWidth(), clientHeight(), gridGap());
    setZoom(view.zoom);
    setScrollX(view.scrollX);
    setScrollY(view.scrollY);
    repaintMap();
}

void TMapForm::setRouteEndAt(int column, int row)
{
    if (setRouteEnd(*document_, column, row)) {
        repaintMap();
        host_.routeChanged(this);
    }
}

void TMapForm::CentrerIciExecute()
{
    const QPoint cell = targetedCell();
    centreOnCell(cell.x(), cell.y());
}

void TMapForm::EffacerCheminsExecute()
{
    clearRoutes(*document_);
    repaintMap();
    host_.routeChanged(this);
}

void TMapForm::ActualiserCheminsExecute()
{
    const AppSettings &settings = host_.settings();
    setRouteOptions(*document_, settings.useWingsGift, settings.allowEmbark, settings.allowAbandon);
    {
        BusyPointer busy;
        searchRoutes(*document_);
    }
    repaintMap();
    host_.routeChanged(this);
}

bool TMapForm::FormCloseQuery()
{
    // A stroke still under the mouse is part of what is asked about.
    finishStroke();
    if (!document_->modified)
        return true;
    switch (userDialogs().askYesNoCancel(this, QStringLiteral("Fermeture"),
                                         QStringLiteral("La carte a été modifiée, voulez-vous l'enregistrer ?"))) {
    case Answer::Yes:
        // A cancelled save dialog or a failed write keeps the window open.
        if (!host_.SaveMap(this))
            return false;
        markSaved();
        return true;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void TMapForm::closeWithoutQuery()
{
    closeApproved_ = true;
    if (subWindow_)
        subWindow_->close();
    else
        close();
}

void TMapForm::closeEvent(QCloseEvent *event)
{
    if (!closeApproved_ && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    closeApproved_ = true;
    Timer1->stop();
    host_.MapWindowActivated(nullptr);
    event->accept();
}

ExportResult TMapForm::exportPicture(const QString &path, PictureFormat format, PictureExtent extent,
                                     QString *errorText)
{
    MapView view;
    view.cellSize = cellSize_;
    view.gridGap = gridGap();
    std::optional<QRect> area;
    if (extent == PictureExtent::VisiblePart)
        area = QRect(scrollX(), scrollY(), clientWidth(), clientHeight());
    const QRect visible = area ? *area & QRect(QPoint(0, 0), mapPictureSize(*document_, view)) : QRect();
    if (const auto problem = pictureSizeProblem(format, area ? visible.width() : view.mapPixelWidth(document_->width),
                                                area ? visible.height() : view.mapPixelHeight(document_->height))) {
        if (errorText)
            *errorText = *problem;
        return ExportResult::Failed;
    }

    QProgressDialog progress(QStringLiteral("Enregistrement de l'image de la carte..."), QStringLiteral("Annuler"),
                             0, 1000, this);
    progress.setWindowTitle(QStringLiteral("Enregistrer bitmap"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    BitmapExportResult result;
    {
        BusyPointer busy;
        result = ExportMapPictureAs(format, path, *document_, view, host_.settings(), *scaledTiles_,
                                    [&progress](int64_t done, int64_t total) {
                                        progress.setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 1000);
                                        return !progress.wasCanceled();
                                    },
                                    0, area);
    }
    progress.close();
    if (result.ok)
        return ExportResult::Written;
    if (result.cancelled)
        return ExportResult::Cancelled;
    if (errorText)
        *errorText = result.error;
    return ExportResult::Failed;
}
