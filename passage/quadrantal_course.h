// True courses and bearings as the textbook writes them: counted from north or south towards east
// or west, 0 to 90 degrees (象限航向). N45E is 045, S53°26′E is 126°34′, S0E is 180, N90W is 270.
//
// Read: N or S (北, 南; either case, full width too), the angle, then E or W (东, 西). The angle is
// degrees, or degrees and minutes, or degrees, minutes and seconds, each with its mark or left
// bare and parted by blanks ("S53°26′E", "S 53 26 E", "N 45 E", "南53°26′东"); only the last part
// has decimals, minutes and seconds stay below 60, the whole angle at most 90. Nothing else
// stands before or after: a quadrantal course is always true, never marked T, M or C.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanto::passage {

// The course 0 <= course < 360, or nothing for a text that is not a quadrantal course.
std::optional<double> readQuadrantalCourse(std::string_view text);

// "S53°25.7′E": the course to a tenth of a minute, rounded half up before its quadrant is chosen,
// so that 089°59.97′ is N90°00.0′E rather than S90°00.0′E. 000 is N0°00.0′E, 090 N90°00.0′E, 180
// S0°00.0′E, 270 N90°00.0′W.
std::string quadrantalText(double course);

}  // namespace orvanto::passage
