// What the course command tells of one leg, for a person (two lines, and a line for the vertex and
// the compass error when asked) or as one line of tab-separated fields: the bytes a front end
// prints.
#pragma once

#include <string>

#include "geometry/chart_point.h"
#include "navigation/compass_error.h"
#include "navigation/sailing_method.h"
#include "notation/entry_mode.h"
#include "passage/table_format.h"
#include "text/expected.h"

namespace orvanto::passage {

// How the text forms write a true course: 000–360 alone, or with the textbook's quadrantal form
// beside it, "126.6°T（S53°25.7′E）" (quadrantal_course.h).
enum class CourseForm { Degrees, Quadrantal };

struct CourseOptions {
    navigation::CompassCorrection correction;
    navigation::SailingMethod method = navigation::SailingMethod::Wgs84;
    bool vertex = false;  // add the great circle's vertex ahead (great_circles.h)
    // How each point was typed, for the text form's first line that shows both as read.
    EntryMode fromMode = EntryMode::Minutes;
    EntryMode toMode = EntryMode::Minutes;
    CourseForm courseForm = CourseForm::Degrees;
    // With the textbook's methods, the text form's worked solutions under the answer
    // (worked_solution_text.h): the great circle's, then the rhumb line's.
    bool showWork = false;
};

// The text form, its first line the points as read ("点Ⅰ 31°06.00′N 122°40.00′E → 点Ⅱ …"), or the
// fields of course_text.h then, with a vertex, gc_vertex_lat, gc_vertex_lon (positions as
// position_text.h writes them) and gc_vertex_on_leg (1 or 0), empty where there is no vertex. Each
// line ends in "\n". What to tell the user when a distance or course is no number.
Expected<std::string, std::string> courseReport(const ChartPoint& from, const ChartPoint& to,
                                                const CourseOptions& options, TableFormat format);

// "045.3°T", then the magnetic and compass courses the correction gives ("048.8°M 050.8°C"); in
// the quadrantal form "045.3°T（N45°18.0′E） 048.8°M …".
std::string labelledCourse(std::optional<double> course,
                           const navigation::CompassCorrection& correction,
                           CourseForm form = CourseForm::Degrees);

// The line that states the compass error once, with a single deviation; empty otherwise.
std::string compassErrorLine(const navigation::CompassCorrection& correction);

}  // namespace orvanto::passage
