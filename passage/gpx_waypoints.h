// A chart plotter's GPX file read as a route's waypoints: the points of its first route (<rtept>),
// or its waypoints (<wpt>) when it has no route, their positions in the degree-mark form ("31.5°",
// "-122.25°") written from the file's own digits, so that nothing is rounded on the way.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "passage/route_waypoints.h"
#include "text/expected.h"

namespace orvanto::passage {

struct GpxWaypoints {
    // Each point's position in the degree-mark form ("31.5°"), its line that of its tag.
    std::vector<Waypoint> waypoints;
    // Said to the user when the file holds more routes than the one read.
    std::optional<std::string> note;
};

// `gpx` is the file's bytes, UTF-8 (a byte-order mark allowed). What is wrong with the file, naming
// its line, when it is not UTF-8, has no <gpx> element, no route point nor waypoint, a tag or
// comment left open, a point with neither lat nor lon, or a lat or lon that is not a decimal number
// of degrees in range; a point that lacks one of them has that field empty.
// A point's name is its <name>, with entities read and line breaks and tabs made spaces.
Expected<GpxWaypoints, std::string> waypointsFromGpx(std::string_view gpx);

// The lines `名称,纬度,经度` of the waypoints, the header first, and a column 航法 (RL or GC) when
// a waypoint says how its leg is sailed: a GPX or RTZ file's points as a page's box shows them.
std::string waypointLines(std::span<const Waypoint> waypoints);

// Whether a file's name ends in .gpx, in any case: how the command line tells a GPX file.
bool isGpxFileName(std::string_view name);

}  // namespace orvanto::passage
