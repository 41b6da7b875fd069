#pragma once
// How maps are created, opened and written from the main window: opening a
// file or, for a name without a file, asking for a new map; "&Nouveau",
// "&Ouvrir", "&Enregistrer", "Enregistrer &sous ..." and "Enregistrer
// bitmap"; the error boxes of failed reads and writes. Every dialog goes
// through userDialogs() and the new-map prompt, so tests answer them.
#include <QString>
#include <QStringList>

#include "render/PictureFormat.h"

class CarteVarenthe;
class FileCommandsHost;
class TMapForm;
struct FileRequest;

// The filter that shows "Tous les fichiers (*.*)": it stands for every file,
// names without a dot included.
QString allFilesFilter();
QString mapFilesFilter();
QString bitmapFilesFilter();
QString pngFilesFilter();

// The file behind a map name: Windows separators mapped, relative names (the
// sample world "pelmorin.vr" of a first start) taken from the data folder.
QString mapFilePath(const QString &name);

class MapFileCommands {
public:
    explicit MapFileCommands(FileCommandsHost &host) : host_(host) {}

    // Reads the named file into a new map window, or asks for a new map when
    // no such file exists. Null when reading failed (the error was shown) or
    // the new-map dialog was cancelled.
    TMapForm *OpenMapWindow(const QString &fileName);
    // Writes the document; with `saveAs`, or for an untitled map, asks for a
    // name first. True when the document was written.
    bool SaveMap(CarteVarenthe &document, bool saveAs);

    void NouveauFichierExecute();
    void OuvrirFichierExecute();
    void EnregistrerFichierExecute();
    void EnregistrerFichierSousExecute();
    void EnregistrerBitmapExecute();
    // "Enregistrer la vue": the same, for the part of the map the window shows.
    void EnregistrerVueExecute();

    static FileRequest openRequest();
    FileRequest saveRequest() const;
    FileRequest bitmapRequest(PictureExtent extent = PictureExtent::WholeMap) const;

private:
    bool writeDocument(CarteVarenthe &document, const QString &name);
    void exportPicture(PictureExtent extent);
    void afterSave(TMapForm *window);

    FileCommandsHost &host_;
    QString saveDialogFileName_;
    QString bitmapFileName_;
};
