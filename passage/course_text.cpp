#include "passage/course_text.h"

#include <cmath>

#include "calculator/decimal_text.h"
#include "geometry/chart_constants.h"
#include "text/padded_digits.h"

namespace orvanto::passage {
namespace {

constexpr long kTenthsInCircle = 3600;

constexpr std::string_view kColumnNames[] = {
    "gc_km",
    "gc_nmi",
    "gc_course_initial",
    "gc_course_final",
    "rhumb_km",
    "rhumb_nmi",
    "rhumb_course",
    "gc_course_initial_m",
    "gc_course_final_m",
    "rhumb_course_m",
    "gc_course_initial_c",
    "gc_course_final_c",
    "rhumb_course_c",
};
constexpr std::size_t kTrueColumns = 7;
constexpr std::size_t kMagneticColumns = 10;

}  // namespace

std::string courseText(std::optional<double> course) {
    if (!course) {
        return {};
    }
    const long tenths = std::lround(std::floor(*course * 10 + 0.5)) % kTenthsInCircle;
    std::string text;
    appendPadded(text, tenths / 10, 3);
    text += '.';
    appendPadded(text, tenths % 10);
    return text;
}

std::string distanceText(double distance) {
    return formatDecimals(distance, kResultDecimals, NumberStyle::Plain);
}

std::string kilometresText(double nauticalMiles) {
    return distanceText(nauticalMiles * chart::kKilometresPerNauticalMile);
}

std::vector<std::string_view> courseColumnNames(bool magnetic, bool compass) {
    const std::size_t count = compass    ? std::size(kColumnNames)
                              : magnetic ? kMagneticColumns
                                         : kTrueColumns;
    return {std::begin(kColumnNames),
            std::begin(kColumnNames) + static_cast<std::ptrdiff_t>(count)};
}

std::vector<std::string> courseFields(const navigation::Courses& courses,
                                      const navigation::CompassCorrection& correction) {
    std::vector<std::string> fields = {
        kilometresText(courses.greatCircleMiles), distanceText(courses.greatCircleMiles),
        courseText(courses.initialCourse),        courseText(courses.finalCourse),
        kilometresText(courses.rhumbMiles),       distanceText(courses.rhumbMiles),
        courseText(courses.rhumbCourse),
    };
    const std::optional<double> measured[] = {courses.initialCourse, courses.finalCourse,
                                              courses.rhumbCourse};
    if (correction.magnetic()) {
        for (const auto& course : measured) {
            fields.push_back(courseText(correction.magneticCourse(course)));
        }
    }
    if (correction.compass()) {
        for (const auto& course : measured) {
            fields.push_back(courseText(correction.compassCourse(course)));
        }
    }
    return fields;
}

}  // namespace orvanto::passage
