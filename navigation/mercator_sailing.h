// Mercator sailing (墨卡托航法) as the navigation textbooks work a rhumb line, with one minute of
// latitude taken as one nautical mile:
//
//   DLat′ = 60 (φ2 − φ1)     DLong′ = 60 (λ2 − λ1), the short way round
//   DMP = MP(φ2) − MP(φ1)    MP: the meridional parts (纬度渐长率) of the WGS-84 ellipsoid
//   course C = atan2(DLong′, DMP)
//   distance = DLat′ / cos C
//
// Within 5° of 090 or 270, where cos C is small and DLat′ says little, the distance is the
// departure over the sine of the course instead (中分纬度航法, middle-latitude sailing):
//
//   distance = DLong′ cos φm / sin C,    φm = (φ1 + φ2) / 2
//
// and reckoning the other way, DLong′ = distance sin C / cos φm rather than DMP tan C.
#pragma once

#include <optional>

#include "geometry/chart_point.h"
#include "navigation/sailing_method.h"

namespace orvanto::navigation {

// The meridional parts of a latitude in minutes of the equator: the distance on a Mercator chart
// from the equator to the parallel, (10800/π) (atanh(sin φ) − e atanh(e sin φ)).
double meridionalParts(double latitude);

struct MercatorSailing {
    Run run;                      // the course (0 <= course < 360) and the distance
    bool middleLatitude = false;  // the distance came from the departure
};

// The rhumb line from one point to another. Identical points give course 0 and distance 0.
MercatorSailing mercatorSailing(const ChartPoint& from, const ChartPoint& to);

// The position reached after the run, its longitude within -180..180: nothing when the rhumb line
// would reach or pass a pole on the way, or leaves a pole on a course other than 000 or 180.
std::optional<ChartPoint> mercatorReckoning(const ChartPoint& from, const Run& run);

// Whether a course lies within 5° of 090 or 270, where middle-latitude sailing takes over.
bool nearlyEastWest(double course);

}  // namespace orvanto::navigation
