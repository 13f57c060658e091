// orvanto-cli route: a passage planned leg by leg from a file of waypoints, as a table, and
// optionally as a GPX route for a chart plotter and as GeoJSON for a map.
#pragma once

#include "cli/request.h"

namespace orvanto::cli {

// Returns the exit status: 0 when every leg is computed, 1 when some leg is not (its error column
// says why; no GPX or GeoJSON file is written when a waypoint cannot be read), 2 when the waypoint
// file cannot be read or an output file cannot be written.
int runRoute(const Request& request);

}  // namespace orvanto::cli
