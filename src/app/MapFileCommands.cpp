#include "app/MapFileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiSubWindow>

#include "app/NewMapPrompt.h"
#include "app/RecentFiles.h"
#include "app/FileCommandsHost.h"
#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "render/PictureFormat.h"
#include "ui/BusyPointer.h"
#include "ui/PlainText.h"
#include "ui/TMapForm.h"
#include "ui/UserDialogs.h"
#include "settings/ProgramFolder.h"

namespace {

const QString LoadErrorTitle = QStringLiteral("Erreur de chargement");
const QString SaveErrorTitle = QStringLiteral("Erreur d'enregistrement");

std::string fileSystemName(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// A map the program must not write over: a file the system refuses, or one
// of the files installed with the program (root may write there, but an
// update would silently undo the change, and every user shares them).
bool isReadOnlyMap(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists() && !file.isWritable())
        return true;
    const QString data = ProgramFolder::dataPath();
    if (data == ProgramFolder::path())
        return false;
    const QString folder = QDir(data).canonicalPath();
    return !folder.isEmpty() && file.canonicalFilePath().startsWith(folder + QLatin1Char('/'));
}

} // namespace

QString allFilesFilter()
{
    return QStringLiteral("Tous les fichiers (*.*)");
}

QString mapFilesFilter()
{
    return QStringLiteral("Cartes de Varenthe (*.vr)");
}

QString bitmapFilesFilter()
{
    return QStringLiteral("Image Bitmap (*.bmp)");
}

QString pngFilesFilter()
{
    return QStringLiteral("Image PNG (*.png)");
}

QString mapFilePath(const QString &name)
{
    return ProgramFolder::resolve(name);
}

FileRequest MapFileCommands::openRequest()
{
    FileRequest request;
    request.title = QStringLiteral("Ouvrir");
    request.filters = {allFilesFilter(), mapFilesFilter()};
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("vr");
    // A typed name without a file is a map to create, so the dialog must
    // accept it.
    request.mustExist = false;
    return request;
}

FileRequest MapFileCommands::saveRequest() const
{
    FileRequest request = openRequest();
    request.title = QStringLiteral("Enregistrer sous");
    request.startPath = saveDialogFileName_;
    return request;
}

FileRequest MapFileCommands::bitmapRequest(PictureExtent extent) const
{
    FileRequest request;
    request.title = extent == PictureExtent::WholeMap ? QStringLiteral("Enregistrer bitmap")
                                                      : QStringLiteral("Enregistrer la vue");
    request.filters = {allFilesFilter(), bitmapFilesFilter(), pngFilesFilter()};
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("bmp");
    request.filterSuffixes = {QStringLiteral("bmp"), QStringLiteral("bmp"), QStringLiteral("png")};
    // The dialog opens in the folder of the map it pictures, with the last
    // name chosen.
    request.startPath = bitmapFileName_;
    const TMapForm *window = host_.activeMapWindow();
    if (window && !window->document().untitled) {
        const QDir folder = QFileInfo(QString::fromStdString(window->document().fileName)).absoluteDir();
        request.startPath = bitmapFileName_.isEmpty() ? folder.path()
                                                      : folder.filePath(QFileInfo(bitmapFileName_).fileName());
    }
    return request;
}

TMapForm *MapFileCommands::OpenMapWindow(const QString &fileName)
{
    std::unique_ptr<CarteVarenthe> document;
    const QString path = mapFilePath(fileName);
    const QFileInfo file(path);
    if (file.exists() && !file.isDir()) {
        document = std::make_unique<CarteVarenthe>();
        try {
            BusyPointer busy;
            document->open(fileSystemName(path));
        } catch (const MapTextIndexError &error) {
            // Not one of the reader's own refusals: the general error box.
            host_.showGeneralError(QString::fromUtf8(error.what()));
            return nullptr;
        } catch (const MapFileError &error) {
            userDialogs().showError(host_.dialogParent(), LoadErrorTitle, QString::fromUtf8(error.what()));
            return nullptr;
        } catch (const std::bad_alloc &) {
            host_.showGeneralError(QStringLiteral("Mémoire insuffisante pour lire la carte « %1 ».").arg(fileName));
            return nullptr;
        } catch (const std::exception &error) {
            host_.showGeneralError(QString::fromUtf8(error.what()));
            return nullptr;
        }
        // The name stays as the user or the configuration gave it.
        document->fileName = fileName.toStdString();
        host_.recentFiles().add(QFileInfo(path).absoluteFilePath());
    } else {
        const std::optional<NewMapRequest> request = host_.newMapPrompt().askNewMap(host_.dialogParent());
        if (!request)
            return nullptr;
        try {
            document = createNewMap(*request, fileName);
        } catch (const std::bad_alloc &) {
            host_.showGeneralError(QStringLiteral("Mémoire insuffisante pour créer cette carte."));
            return nullptr;
        } catch (const std::exception &error) {
            host_.showGeneralError(QString::fromUtf8(error.what()));
            return nullptr;
        }
    }
    return host_.addMapWindow(std::move(document), fileName);
}

bool MapFileCommands::writeDocument(CarteVarenthe &document, const QString &name)
{
    try {
        BusyPointer busy;
        document.save(fileSystemName(mapFilePath(name)));
    } catch (const MapFileError &error) {
        userDialogs().showError(host_.dialogParent(), SaveErrorTitle, QString::fromUtf8(error.what()));
        return false;
    } catch (const std::exception &error) {
        host_.showGeneralError(QString::fromUtf8(error.what()));
        return false;
    }
    // The writer recorded the file system's form of the path; the map keeps
    // the name as it was given.
    document.fileName = name.toStdString();
    host_.recentFiles().add(QFileInfo(mapFilePath(name)).absoluteFilePath());
    return true;
}

bool MapFileCommands::SaveMap(CarteVarenthe &document, bool saveAs)
{
    saveDialogFileName_ = QString::fromStdString(document.fileName);
    const bool readOnly = !document.untitled && isReadOnlyMap(mapFilePath(saveDialogFileName_));
    if (!saveAs && !document.untitled && !readOnly)
        return writeDocument(document, saveDialogFileName_);
    // A copy of a read-only map is proposed in the user's own folder.
    if (readOnly)
        saveDialogFileName_ = QDir::home().filePath(QFileInfo(mapFilePath(saveDialogFileName_)).fileName());

    const QString chosen = userDialogs().saveFile(host_.dialogParent(), saveRequest());
    if (chosen.isEmpty())
        return false;
    saveDialogFileName_ = chosen;
    if (!writeDocument(document, chosen))
        return false;
    host_.UpdateApplicationTitle();
    return true;
}

void MapFileCommands::NouveauFichierExecute()
{
    OpenMapWindow(QStringLiteral("Sans titre ") + QString::number(host_.mapWindows().size() + 1));
}

void MapFileCommands::OuvrirFichierExecute()
{
    const QString chosen = userDialogs().openFile(host_.dialogParent(), openRequest());
    if (!chosen.isEmpty())
        OpenMapWindow(chosen);
}

void MapFileCommands::afterSave(TMapForm *window)
{
    // Only a written file names the window: a cancelled dialog or a refused
    // write leaves the caption as it was.
    window->markSaved();
    if (QMdiSubWindow *sub = host_.subWindowOf(window))
        sub->setWindowTitle(plainWindowTitle(saveDialogFileName_));
    window->setWindowTitle(plainWindowTitle(saveDialogFileName_));
}

void MapFileCommands::EnregistrerFichierExecute()
{
    TMapForm *window = host_.activeMapWindow();
    if (window && SaveMap(window->document(), false))
        afterSave(window);
}

void MapFileCommands::EnregistrerFichierSousExecute()
{
    TMapForm *window = host_.activeMapWindow();
    if (window && SaveMap(window->document(), true))
        afterSave(window);
}

void MapFileCommands::EnregistrerBitmapExecute()
{
    exportPicture(PictureExtent::WholeMap);
}

void MapFileCommands::EnregistrerVueExecute()
{
    exportPicture(PictureExtent::VisiblePart);
}

void MapFileCommands::exportPicture(PictureExtent extent)
{
    TMapForm *window = host_.activeMapWindow();
    if (!window)
        return;
    const QString chosen = userDialogs().saveFile(host_.dialogParent(), bitmapRequest(extent));
    if (chosen.isEmpty())
        return;
    // The name's extension decides the format; a name without one has had
    // the chosen filter's added by the dialog.
    const std::optional<PictureFormat> format = pictureFormatForName(chosen, PictureFormat::Bmp);
    if (!format) {
        host_.showGeneralError(unknownPictureExtensionMessage(chosen));
        return;
    }
    // The dialog replaces files without asking, which suits an earlier
    // picture; anything else (a map, say, under "Tous les fichiers") is only
    // replaced once the user confirms.
    if (QFileInfo::exists(chosen) && !holdsPictureOf(chosen, *format)
        && userDialogs().askYesNo(host_.dialogParent(), QStringLiteral("Confirmer l'enregistrement"),
                                  QStringLiteral("Le fichier « %1 » existe déjà et n'est pas une image %2.\n"
                                                 "Voulez-vous le remplacer par l'image de la carte ?")
                                      .arg(QDir::toNativeSeparators(chosen),
                                           *format == PictureFormat::Png ? QStringLiteral("PNG")
                                                                         : QStringLiteral("bitmap")))
               != Answer::Yes)
        return;
    bitmapFileName_ = chosen;
    QString errorText;
    if (window->exportPicture(chosen, *format, extent, &errorText) == ExportResult::Failed)
        host_.showGeneralError(errorText.isEmpty() ? QStringLiteral("Impossible d'écrire l'image « %1 ».").arg(chosen)
                                                   : errorText);
}
