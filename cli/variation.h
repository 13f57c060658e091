// The magnetic variation a navigator reads off the chart's compass rose, as typed on the command
// line: degrees with a decimal fraction, west negative and east positive, either by sign ("-3.5",
// "2", "+2") or by a letter after the number ("3.5W", "2E", either case), not both.
#pragma once

#include <optional>
#include <string_view>

namespace orvanto::cli {

// The variation in degrees, east positive; empty for a text that is not one (or beyond ±180).
std::optional<double> readVariation(std::string_view text);

}  // namespace orvanto::cli
