#pragma once
// The route layer works on the map document's route fields: movement rules,
// the bucket-queue search, the route trace and the route endpoints.
#include "map/CarteVarenthe.h"
