// A position from a route file (GPX, RTZ) in the degree-mark form the waypoint entries read
// ("31.5°", "-122.25°"), written from the file's own digits, so that nothing is rounded on the way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanto::passage {

// "31.5000000" as "31.5°": the file's digits, without a plus sign or trailing zeros, and "0.5°"
// for ".5"; nothing for a text that is not an XML decimal ([+|-]digits[.digits], no exponent,
// blanks around) within ±limit.
std::optional<std::string> degreeMarkText(std::string_view value, double limit);

}  // namespace orvanto::passage
