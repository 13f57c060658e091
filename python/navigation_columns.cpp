// The very providers and measurements orvanto-cli uses.
#include "python/navigation_columns.h"

#include <limits>

#include "navigation/courses.h"
#include "passage/column_providers.h"
#include "passage/passage_values.h"

namespace orvanto::python {
namespace {

double valueOrNone(std::optional<double> value) {
    return value.value_or(std::numeric_limits<double>::quiet_NaN());
}

}  // namespace

std::vector<std::unique_ptr<const batch::ColumnProvider>> navigationColumns(
    NumberStyle style, bool geodesic, bool navigation, std::optional<double> variation,
    std::optional<double> deviation) {
    std::vector<std::unique_ptr<const batch::ColumnProvider>> providers;
    if (geodesic) {
        providers.push_back(std::make_unique<passage::GeodesicColumns>(style));
    }
    if (navigation) {
        navigation::CompassCorrection correction;
        correction.variation = variation;
        correction.deviation = deviation;
        providers.push_back(std::make_unique<passage::CourseColumns>(std::move(correction)));
    }
    return providers;
}

std::vector<std::string_view> everyNavigationColumn() {
    return passage::everyExtraColumn();
}

std::optional<double> readVariationText(std::string_view text) {
    return passage::readVariation(text);
}

std::optional<double> readDeviationText(std::string_view text) {
    return passage::readDeviation(text);
}

LegCourses measureLegCourses(const ChartPoint& from, const ChartPoint& to) {
    const navigation::Courses courses = navigation::measureCourses(from, to);
    return {courses.greatCircleMiles * navigation::kKilometresPerNauticalMile,
            valueOrNone(courses.initialCourse), valueOrNone(courses.finalCourse),
            courses.rhumbMiles * navigation::kKilometresPerNauticalMile,
            valueOrNone(courses.rhumbCourse)};
}

}  // namespace orvanto::python
