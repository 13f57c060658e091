// Which clock an arrival (ETA) is written on: the departure's, a fixed offset from UTC, or the
// ship's zone time (区时) at the position it arrives at. A zone is whole hours east of UTC:
// longitude / 15° rounded (121°E is +8, 118°W is -8); its nautical zone description is the
// negation (-8 for +08:00, so that zone time + description = UTC).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "passage/sailed_route.h"

namespace orvanto::passage {

struct EtaZone {
    enum class Kind {
        Departure,  // the departure's offset, as it was written or as the front end's clock had it
        Ship,       // each row's arrival position's zone
        Fixed,      // offsetMinutes
    };
    Kind kind = Kind::Departure;
    int offsetMinutes = 0;  // minutes east of UTC, -14:00 to +14:00
};

// "ship", "Z" or "±HH:MM" (full-width characters read too); nothing for any other text.
std::optional<EtaZone> readEtaZone(std::string_view text);

// The zone (hours east) at `longitude` for a ship coming from `cameFrom` (its previous position
// and zone; nothing at the start). On a zone's edge, an odd multiple of 7.5°, the ship keeps the
// zone it came from, so that sailing along the edge never flips the clock back and forth; 180° is
// +12 reached from the east longitudes (from the west) and -12 reached from the west longitudes.
// At the start, with nothing to keep, an edge goes to the zone away from 0° (7.5°E is +1), and
// -180° is -12.
struct ShipPosition {
    double longitude = 0;
    int zone = 0;
};
int zoneAt(double longitude, const std::optional<ShipPosition>& cameFrom);

// Each row's arrival zone in the order sailed, chained from the first row's start; nothing for a
// row without its arrival position.
std::vector<std::optional<int>> shipZones(std::span<const RouteRow> rows);

// The nautical zone description of a zone: "-8" for +8, "+4" for -4, "0".
std::string zoneDescription(int zone);

// How a table and the printed plan name the clock of their arrivals: "船位区时", "UTC",
// "UTC+09:00", or the departure's own ("开航时区 UTC+08:00").
std::string etaZoneName(const EtaZone& zone, int departureOffsetMinutes);

}  // namespace orvanto::passage
