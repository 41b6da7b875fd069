#pragma once
// The map description of the status bar's last panel: "Pelmorin - " for a
// world map, then "Généree le : " and the day the map was generated.
#include <QString>
#include <cstdint>

class CarteVarenthe;

// The calendar day (universal time) of a generation instant in Unix
// seconds, as "dd/mm/yyyy".
QString generationDateText(int32_t generatedAt);
QString mapDescription(const CarteVarenthe &map);
