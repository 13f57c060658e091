// The output text of the result boxes: at most three decimals, rounded half away from zero, no
// leading zero and the decimal point always written, so 0.5 gives ".5", 12 gives "12." and 0 gives
// ".".
#pragma once

#include <string>
#include <string_view>

namespace orvanto {

inline constexpr std::string_view kKilometrePattern = "####.###";
inline constexpr std::string_view kNauticalMilePattern = "#####.###";
inline constexpr std::string_view kAnglePattern = "####.###";

// The value is first taken at 15 significant decimal digits, so that 1.0005 (stored as
// 1.000499999…) rounds to "1.001". The "#" after the pattern's point give the number of decimals;
// those in front of it never cut the integer digits. A negative value keeps its "-" even when it
// rounds to zero ("-."). Throws ArithmeticFault for an infinite or NaN value.
std::string formatThousandths(double value, std::string_view pattern);

}  // namespace orvanto
