#pragma once
// Errors raised by the map document and its files. Every message is French
// UTF-8 text, ready to be shown to the user as it stands.
#include <stdexcept>
#include <string>

// Any refusal of the map layer.
class MapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `create` refused the dimensions it was given.
class MapCreateError : public MapError {
public:
    using MapError::MapError;
};

// Reading or writing a map file failed; the file commands show the text in
// "Erreur de chargement" or "Erreur d'enregistrement".
class MapFileError : public MapError {
public:
    using MapError::MapError;
};

// The text section of a map file holds fewer lines than the file declares
// ("List index out of bounds (%d)"). Shown by the general error box, not by
// the load error box.
class MapTextIndexError : public MapFileError {
public:
    using MapFileError::MapFileError;
};
