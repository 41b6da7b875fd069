#pragma once
// The traced route told as a traveller reads it: where it starts, where the
// traveller boards or leaves a boat, the cities it passes through, each
// province it enters, and where it arrives, each with its cell and the
// minute it is reached. Shown by the "Itinéraire" window and printed by
// `pelmorin-cli route --itinerary`.
#include <cstdint>
#include <string>
#include <vector>

#include "map/CarteVarenthe.h"

enum class ItineraryEvent { Start, Embark, Disembark, AbandonBoat, City, Province, Arrival };

struct ItineraryStep {
    ItineraryEvent event = ItineraryEvent::Start;
    int32_t x = 0;
    int32_t y = 0;
    int32_t time = 0;  // minutes from the start
    std::string name;  // the city's or the province's (UTF-8); empty otherwise
};

// The steps of the document's traced route, from "Départ" to "Arrivée";
// empty when there is no route to the end cell.
std::vector<ItineraryStep> buildItinerary(const CarteVarenthe &map);

// "Départ", "Embarquer", "Débarquer", "Abandon du bateau", "Ville",
// "Province", "Arrivée".
const char *itineraryEventText(ItineraryEvent event);

// The name of a province for a traveller: its own name, or for an unnamed
// one the game's notation of its place in the grid, the province row as
// letters and its column from 1 ("Province C4").
std::string provinceLabel(const CarteVarenthe &map, int32_t index);
