// How courses and their distances are written on the command line: a course as three integer
// digits and one decimal (045.3, 000.0 to 359.9), distances in the plain number style of the other
// commands, and the seven (or ten, with magnetic courses) fields of one leg in a fixed order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "navigation/compass_error.h"
#include "navigation/courses.h"

namespace orvanto::passage {

// Tenths rounded half up; a course that rounds to 360.0 is 000.0. Empty for an empty course.
std::string courseText(std::optional<double> course);

// A distance to at most three decimals, rounded half away from zero, as batch writes its numbers
// (0.5, 12, 0): in the unit given, or nautical miles written in kilometres (1.852 km each). For a
// finite distance: every caller has checked its courses (navigation::finite).
std::string distanceText(double distance);
std::string kilometresText(double nauticalMiles);

// gc_km, gc_nmi, gc_course_initial, gc_course_final, rhumb_km, rhumb_nmi, rhumb_course; with a
// variation gc_course_initial_m, gc_course_final_m, rhumb_course_m; with a deviation too
// gc_course_initial_c, gc_course_final_c, rhumb_course_c. courseFields gives their texts; an empty
// course is an empty field.
std::vector<std::string_view> courseColumnNames(bool magnetic, bool compass);
std::vector<std::string> courseFields(const navigation::Courses& courses,
                                      const navigation::CompassCorrection& correction);

}  // namespace orvanto::passage
