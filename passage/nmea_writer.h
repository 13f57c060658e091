// A route for a GPS as NMEA 0183 sentences: one $GPWPL a point the table sails through (its 分点
// and tangent points too), then the $GPRTE sentences that list them in order, split so that none
// is longer than 82 characters with its "$" and CR LF. Each ends in its checksum ("*hh", the XOR
// of the characters between "$" and "*") and CR LF; the text is ASCII alone.
//
// A GPS keeps a waypoint under its name, so every name is made one a GPS takes and no two alike:
// the ASCII letters and digits of the waypoint's name ("WP" and its number when it has none), at
// most `nameLength` characters; a name already given has its last characters replaced by a number
// (ABCDEF, ABCDE1, ABCDE2, …) until it is unique. The route's id is cut from the written file's
// name the same way ("ROUTE" when it has no ASCII letter or digit).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "passage/route_points.h"
#include "text/expected.h"

namespace orvanto::passage {

inline constexpr std::size_t kDefaultNmeaNameLength = 6;  // what most GPS sets show
inline constexpr std::size_t kLongestNmeaName = 20;

// The sentences, or what to tell when the names cannot all be made unique within `nameLength`
// (1 to kLongestNmeaName) characters. `points` must not be empty.
Expected<std::string, std::string> nmeaRoute(std::string_view routeName,
                                             std::span<const RoutePoint> points,
                                             std::size_t nameLength);

// "*hh" of a sentence's text between "$" and "*", in upper-case hexadecimal.
std::string nmeaChecksum(std::string_view body);

}  // namespace orvanto::passage
