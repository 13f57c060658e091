// The magnetic variation a navigator reads off the chart's compass rose, as typed on the command
// line: degrees, west negative and east positive, by a sign ("-3.5", "2") or by a side in front
// or after ("3.5W", "W3.5", "西3.5", "5°30′E"), not both, with the entries' full-width
// characters and degree marks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanto::cli {

// The variation in degrees, east positive; empty for a text that is not one (or beyond ±180).
std::optional<double> readVariation(std::string_view text);

// What the user is told about a --variation value that is not one: the forms it takes.
std::string variationProblem(std::string_view text);

}  // namespace orvanto::cli
