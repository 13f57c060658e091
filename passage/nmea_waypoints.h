// A GPS's route as NMEA 0183 sentences read as a route's waypoints: the waypoints ($--WPL, any
// talker) of the file's first route ($--RTE, in as many sentences as it says it has), or every
// waypoint in the order given when the file has no route. A position is written in the entries'
// degree-and-minute form from the sentence's own digits ("3105.1234,N" is "31°05.1234′"), so that
// nothing is rounded on the way; a waypoint given twice at one position is one waypoint.
//
// A checksum ("*hh") that does not match its sentence is refused naming its line: the sentence was
// damaged or edited, and its position may be wrong. A sentence without one is read, as GPS software
// reads WPL and RTE, whose checksum NMEA 0183 leaves optional. Other sentences ($GPGGA, AIS's
// !AIVDM, …) are passed over, and a line that is no sentence at all is refused, as is a name given
// two positions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "passage/route_waypoints.h"
#include "text/expected.h"

namespace orvanto::passage {

// The largest NMEA file read: a GPS's route holds a few hundred waypoints, some 20 KiB.
inline constexpr std::size_t kLargestNmeaFile = std::size_t{512} << 10U;

struct NmeaWaypoints {
    std::vector<Waypoint> waypoints;  // each one's line that of its WPL sentence
    // Said to the user when the file holds more routes than the one read.
    std::optional<std::string> note;
};

// `nmea` is the file's bytes (a UTF-8 byte-order mark allowed). What is wrong with it, naming the
// line where there is one.
Expected<NmeaWaypoints, std::string> waypointsFromNmea(std::string_view nmea);

// Whether the first line that is not blank starts with "$" or "!": how a waypoint file is told to
// hold NMEA sentences, whatever its name.
bool isNmeaText(std::string_view bytes);

}  // namespace orvanto::passage
