#include "passage/column_providers.h"

#include <algorithm>
#include <cmath>

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

std::vector<std::string_view> CourseColumns::names() const {
    return courseColumnNames(correction_.magnetic(), correction_.compass());
}

void CourseColumns::fill(const DecodedPoints& points, bool /*withReference*/,
                         std::span<std::string> fields) const {
    const navigation::Courses courses = navigation::measureCourses(points.point1, points.point2);
    // Courses that are no number are written as none, as for points that cannot be read.
    if (!navigation::finite(courses)) {
        return;
    }
    auto texts = courseFields(courses, correction_);
    std::move(texts.begin(), texts.end(), fields.begin());
}

std::vector<std::string_view> everyExtraColumn() {
    std::vector<std::string_view> names = GeodesicColumns{NumberStyle::Plain}.names();
    const auto courses = courseColumnNames(true, true);
    names.insert(names.end(), courses.begin(), courses.end());
    return names;
}

}  // namespace orvanto::passage
