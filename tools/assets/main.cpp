// pelmorin-assets: draws the default assets into the program's folder at
// build time: the "Eté" and "Hiver" tile folders, the layer-change marker,
// the sample world map, its overview picture and the release notes, and on
// request the program's icon for the desktop. The same bytes come out at
// every run.
#include "AppIconArt.h"
#include "AssetWriter.h"

#include <CLI/CLI.hpp>
#include <QtGlobal>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    CLI::App cli{"Génère les images, la carte d'exemple et les notes de Pelmorin"};
    std::string outputFolder;
    std::string contactSheet;
    cli.add_option("output", outputFolder, "Dossier du programme où écrire les fichiers")->required();
    std::string worldPreview;
    int previewPixels = 6;
    std::string iconFolder;
    cli.add_option("--planche", contactSheet, "Écrit aussi une planche de toutes les tuiles (PNG)");
    cli.add_option("--apercu", worldPreview, "Écrit aussi un aperçu de la carte d'exemple (PNG)");
    cli.add_option("--icones", iconFolder, "Écrit aussi l'icône du programme (thème hicolor) dans ce dossier");
    cli.add_option("--pixels", previewPixels, "Pixels par case de l'aperçu")->check(CLI::Range(1, 32));
    CLI11_PARSE(cli, argc, argv);

    // Pictures are drawn on images only, with no text: no application
    // object, no display and no fonts are needed.
    try {
        writeAllAssets(QString::fromStdString(outputFolder));
        if (!iconFolder.empty())
            writeAppIcons(QString::fromStdString(iconFolder));
        if (!contactSheet.empty())
            writeContactSheet(QString::fromStdString(contactSheet));
        if (!worldPreview.empty())
            writeWorldPreview(QString::fromStdString(worldPreview), previewPixels);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "pelmorin-assets : %s\n", error.what());
        return 1;
    }
    return 0;
}
