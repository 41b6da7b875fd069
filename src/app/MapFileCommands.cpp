#include "app/MapFileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiSubWindow>

#include "app/NewMapPrompt.h"
#include "app/TMainForm.h"
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
    const QString local = ProgramFolder::localPath(name);
    return QDir::isRelativePath(local) ? QDir::current().filePath(local) : local;
}

FileRequest MapFileCommands::openRequest() const
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

FileRequest MapFileCommands::bitmapRequest() const
{
    FileRequest request;
    request.title = QStringLiteral("Enregistrer bitmap");
    request.filters = {allFilesFilter(), bitmapFilesFilter(), pngFilesFilter()};
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("bmp");
    request.filterSuffixes = {QStringLiteral("bmp"), QStringLiteral("bmp"), QStringLiteral("png")};
    // The dialog opens in the folder of the map it pictures, with the last
    // name chosen.
    request.startPath = bitmapFileName_;
    const TMapForm *window = main_.activeMapWindow();
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
            main_.showGeneralError(QString::fromUtf8(error.what()));
            return nullptr;
        } catch (const MapFileError &error) {
            userDialogs().showError(&main_, LoadErrorTitle, QString::fromUtf8(error.what()));
            return nullptr;
        } catch (const std::bad_alloc &) {
            main_.showGeneralError(QStringLiteral("Mémoire insuffisante pour lire la carte « %1 ».").arg(fileName));
            return nullptr;
        } catch (const std::exception &error) {
            main_.showGeneralError(QString::fromUtf8(error.what()));
            return nullptr;
        }
        // The name stays as the user or the configuration gave it.
        document->fileName = fileName.toStdString();
    } else {
        const std::optional<NewMapRequest> request = main_.newMapPrompt().askNewMap(&main_);
        if (!request)
            return nullptr;
        try {
            document = createNewMap(*request, fileName);
        } catch (const std::bad_alloc &) {
            main_.showGeneralError(QStringLiteral("Mémoire insuffisante pour créer cette carte."));
            return nullptr;
        } catch (const std::exception &error) {
            main_.showGeneralError(QString::fromUtf8(error.what()));
            return nullptr;
        }
    }
    return main_.addMapWindow(std::move(document), fileName);
}

bool MapFileCommands::writeDocument(CarteVarenthe &document, const QString &name)
{
    try {
        BusyPointer busy;
        document.save(fileSystemName(mapFilePath(name)));
    } catch (const MapFileError &error) {
        userDialogs().showError(&main_, SaveErrorTitle, QString::fromUtf8(error.what()));
        return false;
    } catch (const std::exception &error) {
        main_.showGeneralError(QString::fromUtf8(error.what()));
        return false;
    }
    // The writer recorded the file system's form of the path; the map keeps
    // the name as it was given.
    document.fileName = name.toStdString();
    return true;
}

bool MapFileCommands::SaveMap(CarteVarenthe &document, bool saveAs)
{
    saveDialogFileName_ = QString::fromStdString(document.fileName);
    if (!saveAs && !document.untitled)
        return writeDocument(document, saveDialogFileName_);

    const QString chosen = userDialogs().saveFile(&main_, saveRequest());
    if (chosen.isEmpty())
        return false;
    saveDialogFileName_ = chosen;
    if (!writeDocument(document, chosen))
        return false;
    main_.UpdateApplicationTitle();
    return true;
}

void MapFileCommands::NouveauFichierExecute()
{
    OpenMapWindow(QStringLiteral("Sans titre ") + QString::number(main_.mapWindows().size() + 1));
}

void MapFileCommands::OuvrirFichierExecute()
{
    const QString chosen = userDialogs().openFile(&main_, openRequest());
    if (!chosen.isEmpty())
        OpenMapWindow(chosen);
}

void MapFileCommands::afterSave(TMapForm *window)
{
    // Only a written file names the window: a cancelled dialog or a refused
    // write leaves the caption as it was.
    if (QMdiSubWindow *sub = main_.subWindowOf(window))
        sub->setWindowTitle(plainWindowTitle(saveDialogFileName_));
    window->setWindowTitle(plainWindowTitle(saveDialogFileName_));
}

void MapFileCommands::EnregistrerFichierExecute()
{
    TMapForm *window = main_.activeMapWindow();
    if (window && SaveMap(window->document(), false))
        afterSave(window);
}

void MapFileCommands::EnregistrerFichierSousExecute()
{
    TMapForm *window = main_.activeMapWindow();
    if (window && SaveMap(window->document(), true))
        afterSave(window);
}

void MapFileCommands::EnregistrerBitmapExecute()
{
    TMapForm *window = main_.activeMapWindow();
    if (!window)
        return;
    const QString chosen = userDialogs().saveFile(&main_, bitmapRequest());
    if (chosen.isEmpty())
        return;
    // The name's extension decides the format; a name without one has had
    // the chosen filter's added by the dialog.
    const std::optional<PictureFormat> format = pictureFormatForName(chosen, PictureFormat::Bmp);
    if (!format) {
        main_.showGeneralError(unknownPictureExtensionMessage(chosen));
        return;
    }
    // The dialog replaces files without asking, which suits an earlier
    // picture; anything else (a map, say, under "Tous les fichiers") is only
    // replaced once the user confirms.
    if (QFileInfo::exists(chosen) && !holdsPictureOf(chosen, *format)
        && userDialogs().askYesNo(&main_, QStringLiteral("Confirmer l'enregistrement"),
                                  QStringLiteral("Le fichier « %1 » existe déjà et n'est pas une image %2.\n"
                                                 "Voulez-vous le remplacer par l'image de la carte ?")
                                      .arg(QDir::toNativeSeparators(chosen),
                                           *format == PictureFormat::Png ? QStringLiteral("PNG")
                                                                         : QStringLiteral("bitmap")))
               != Answer::Yes)
        return;
    bitmapFileName_ = chosen;
    QString errorText;
    if (window->exportPicture(chosen, *format, &errorText) == ExportResult::Failed)
        main_.showGeneralError(errorText.isEmpty() ? QStringLiteral("Impossible d'écrire l'image « %1 ».").arg(chosen)
                                                   : errorText);
}
