#pragma once
// Everything the generator writes into the program's folder, in one call,
// and a contact sheet of every tile for whoever wants to look at them.
#include <QString>

// Writes img/1/, img/4/, img/250.bmp, pelmorin.vr, img/minipelmorin.bmp and
// notes.txt into `programFolder`. Throws std::runtime_error on failure.
void writeAllAssets(const QString &programFolder);

// One PNG with every tile of both aspects side by side, magnified twice.
void writeContactSheet(const QString &path);

// A picture of the sample world made of its summer tiles, `cellPixels` per
// cell, with the province grid: for judging the generator at a glance.
void writeWorldPreview(const QString &path, int cellPixels);
