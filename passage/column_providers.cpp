#include "passage/column_providers.h"

#include <algorithm>
#include <cmath>

#include "geometry/chart_constants.h"
#include "navigation/courses.h"
#include "navigation/geodesic_measures.h"
#include "passage/course_text.h"

namespace orvanto::passage {
namespace {

// Nothing for no value: a latitude beyond ±90 has no geodesic.
void appendNumber(std::string& out, std::optional<double> value, NumberStyle style) {
    if (value) {
        out += formatDecimals(*value, kResultDecimals, style);
    }
}

}  // namespace

std::vector<std::string_view> GeodesicColumns::names() const {
    return {"geodesic_km", "geodesic_angle"};
}

void GeodesicColumns::fill(const DecodedPoints& points, bool withReference,
                           std::span<std::string> fields) const {
    appendNumber(fields[0], navigation::geodesicKilometres(points.point1, points.point2), style_);
    if (withReference) {
        appendNumber(fields[1],
                     navigation::geodesicAngle(points.reference, points.point1, points.point2),
                     style_);
    }
}

void GeodesicColumns::fillNumbers(const DecodedPoints& points, bool withReference,
                                  std::span<double> values) const {
    values[0] = navigation::geodesicKilometres(points.point1, points.point2).value_or(values[0]);
    if (withReference) {
        values[1] = navigation::geodesicAngle(points.reference, points.point1, points.point2)
                        .value_or(values[1]);
    }
}

std::vector<std::string_view> CourseColumns::names() const {
    return courseColumnNames(correction_.magnetic(), correction_.compass());
}

void CourseColumns::fill(const DecodedPoints& points, bool /*withReference*/,
                         std::span<std::string> fields) const {
    const navigation::Courses courses =
        navigation::measureCourses(points.point1, points.point2, method_);
    // Courses that are no number are written as none, as for points that cannot be read.
    if (!navigation::finite(courses)) {
        return;
    }
    auto texts = courseFields(courses, correction_);
    std::move(texts.begin(), texts.end(), fields.begin());
}

void CourseColumns::fillNumbers(const DecodedPoints& points, bool /*withReference*/,
                                std::span<double> values) const {
    const navigation::Courses courses =
        navigation::measureCourses(points.point1, points.point2, method_);
    if (!navigation::finite(courses)) {
        return;
    }
    const double none = values[0];
    const std::optional<double> measured[] = {courses.initialCourse, courses.finalCourse,
                                              courses.rhumbCourse};
    const double trueValues[] = {
        courses.greatCircleMiles * chart::kKilometresPerNauticalMile,
        courses.greatCircleMiles,
        measured[0].value_or(none),
        measured[1].value_or(none),
        courses.rhumbMiles * chart::kKilometresPerNauticalMile,
        courses.rhumbMiles,
        measured[2].value_or(none),
    };
    std::copy(std::begin(trueValues), std::end(trueValues), values.begin());
    std::size_t next = std::size(trueValues);
    if (correction_.magnetic()) {
        for (const auto& course : measured) {
            values[next++] = correction_.magneticCourse(course).value_or(none);
        }
    }
    if (correction_.compass()) {
        for (const auto& course : measured) {
            values[next++] = correction_.compassCourse(course).value_or(none);
        }
    }
}

std::vector<std::string_view> everyExtraColumn() {
    std::vector<std::string_view> names = GeodesicColumns{NumberStyle::Plain}.names();
    const auto courses = courseColumnNames(true, true);
    names.insert(names.end(), courses.begin(), courses.end());
    return names;
}

}  // namespace orvanto::passage
