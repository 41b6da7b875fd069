#pragma once
// How the file commands ask for a new map when a name has no file: the
// program shows TNewMapForm; widget tests install a scripted prompt that
// answers without a person.
#include <optional>

#include "app/NewMapRequest.h"

class QWidget;

class NewMapPrompt {
public:
    virtual ~NewMapPrompt() = default;
    // The request confirmed with "Ok" (already checked against the limits of
    // `create`), or nothing when the user cancelled.
    virtual std::optional<NewMapRequest> askNewMap(QWidget *parent) = 0;
};
