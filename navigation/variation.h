// The magnetic variation a navigator reads off the chart's compass rose, and the magnetic courses
// it gives: degrees, west negative and east positive, typed by a sign ("-3.5", "2") or by a side in
// front or after ("3.5W", "W3.5", "西3.5", "5°30′E"), not both, with the entries' full-width
// characters and degree marks.
#pragma once

#include <optional>
#include <string_view>

namespace orvanto::navigation {

// The variation in degrees, east positive, within -180..180; nothing for a text that is not one
// number of the forms above (NaN, infinity, an exponent, a second number) or lies beyond ±180.
std::optional<double> readVariation(std::string_view text);

// The compass's deviation (自差), read the same way.
std::optional<double> readDeviation(std::string_view text);

// The magnetic course for a true course in degrees and a variation in degrees east: true minus
// variation, brought into 0 <= course < 360. Nothing for no course.
std::optional<double> magneticCourse(std::optional<double> trueCourse, double variation);

}  // namespace orvanto::navigation
