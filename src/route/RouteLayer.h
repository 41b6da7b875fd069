#pragma once
// The route layer at one include: movement rules, the bucket-queue search,
// the route trace, the route endpoints and the travel-time text.
#include "route/MoveRules.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"
#include "route/TravelTime.h"
