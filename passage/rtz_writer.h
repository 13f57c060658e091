// A route for an ECDIS as an RTZ file (IEC 61174's route exchange format), version 1.0 or 1.1:
// every point the table sails through (its 分点 and tangent points too) as a <waypoint> numbered
// from 1, in decimal degrees with 7 decimals, longitudes from -180 up to but not including 180;
// each one after the first with the <leg> that ends there, Loxodrome or Orthodrome as its row is
// sailed. With a departure and every row's time, a calculated schedule gives the departure (etd)
// at the first waypoint and the arrival (eta) at each other, in UTC to the minute as the table's
// eta. The text only; the front ends write it.
#pragma once

#include <string>
#include <string_view>

#include "passage/route_request.h"
#include "passage/rtz_version.h"

namespace orvanto::passage {

// The whole document, UTF-8, its routeInfo's routeName `routeName` (an ECDIS wants the file's own
// name there). Names are escaped as the GPX writer escapes them. `plan.route.points` must not be
// empty.
std::string rtzRoute(std::string_view routeName, const PassagePlan& plan, RtzVersion version);

}  // namespace orvanto::passage
