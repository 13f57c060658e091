// An ECDIS's route file (RTZ, IEC 61174, versions 1.0, 1.1 and 1.2) read as a route's waypoints:
// each <waypoint> in order, its position in the degree-mark form ("31.5°") from the file's own
// digits, its name (the id when the name is empty), and each leg's geometryType as the leg field
// of the waypoint where the leg starts (RTZ puts a leg on the waypoint where it ends; the
// <defaultWaypoint>'s leg stands for a waypoint without one). Schedules, extensions and elements
// of other namespaces are skipped: speeds come from the front end.
//
// The XML is read by expat, never by hand. A file with a document type (DTD) is refused before
// anything in it is expanded, so no entity, internal or external, is ever read; a file over 64 MiB
// is refused; a file that is no well-formed XML is refused naming its line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "passage/route_waypoints.h"
#include "text/expected.h"

namespace orvanto::passage {

// The largest RTZ file read: a route of a few thousand waypoints is well under a megabyte.
inline constexpr std::size_t kLargestRtzFile = std::size_t{64} << 20U;

// `rtz` is the file's bytes, in the encoding its declaration names (UTF-8 without one). What is
// wrong with the file, naming its line where it has one.
Expected<std::vector<Waypoint>, std::string> waypointsFromRtz(std::string_view rtz);

// Whether a file's name ends in .rtz, in any case: how the command line tells an RTZ file.
bool isRtzFileName(std::string_view name);

}  // namespace orvanto::passage
