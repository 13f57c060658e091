#include "navigation/course_text.h"

#include <cmath>
#include <cstdio>

#include "calculator/decimal_text.h"
#include "geometry/chart_constants.h"
#include "navigation/variation.h"

namespace orvanto::navigation {
namespace {

constexpr long kTenthsInCircle = 3600;

constexpr std::string_view kColumnNames[] = {
    "gc_km",     "gc_nmi",       "gc_course_initial",   "gc_course_final",   "rhumb_km",
    "rhumb_nmi", "rhumb_course", "gc_course_initial_m", "gc_course_final_m", "rhumb_course_m",
};
constexpr std::size_t kTrueColumns = 7;

// "045.3°T", with the magnetic course beside it when there is a variation.
std::string labelledCourse(std::optional<double> course, std::optional<double> variation) {
    std::string text = courseText(course) + "°T";
    if (variation) {
        text += " " + courseText(magneticCourse(course, *variation)) + "°M";
    }
    return text;
}

std::string distances(double kilometres) {
    return distanceText(kilometres) + " 公里，" + nauticalMilesText(kilometres) + " 海里";
}

}  // namespace

std::string courseText(std::optional<double> course) {
    if (!course) {
        return {};
    }
    const long tenths = std::lround(std::floor(*course * 10 + 0.5)) % kTenthsInCircle;
    char text[8];
    std::snprintf(text, sizeof text, "%03ld.%ld", tenths / 10, tenths % 10);
    return text;
}

std::string distanceText(double kilometres) {
    return formatDecimals(kilometres, kResultDecimals, NumberStyle::Plain);
}

std::string nauticalMilesText(double kilometres) {
    return distanceText(kilometres / chart::kKilometresPerNauticalMile);
}

std::vector<std::string_view> courseColumnNames(bool magnetic) {
    return {std::begin(kColumnNames),
            std::begin(kColumnNames) + (magnetic ? std::size(kColumnNames) : kTrueColumns)};
}

std::vector<std::string> courseFields(const Courses& courses, std::optional<double> variation) {
    std::vector<std::string> fields = {
        distanceText(courses.greatCircleKilometres),
        nauticalMilesText(courses.greatCircleKilometres),
        courseText(courses.initialCourse),
        courseText(courses.finalCourse),
        distanceText(courses.rhumbKilometres),
        nauticalMilesText(courses.rhumbKilometres),
        courseText(courses.rhumbCourse),
    };
    if (variation) {
        for (const auto& course :
             {courses.initialCourse, courses.finalCourse, courses.rhumbCourse}) {
            fields.push_back(courseText(magneticCourse(course, *variation)));
        }
    }
    return fields;
}

std::string courseLines(const Courses& courses, std::optional<double> variation) {
    std::string lines = "大圆航线：" + distances(courses.greatCircleKilometres);
    if (courses.initialCourse) {
        lines += "；初始航向 " + labelledCourse(courses.initialCourse, variation) + "，最终航向 " +
                 labelledCourse(courses.finalCourse, variation);
    }
    lines += "\n恒向线：  " + distances(courses.rhumbKilometres);
    if (courses.rhumbCourse) {
        lines += "；航向 " + labelledCourse(courses.rhumbCourse, variation);
    }
    lines += "\n";
    if (!courses.rhumbCourse) {
        lines += courses.greatCircleKilometres > 0 ? "点在极点上，航向无从确定\n"
                                                   : "两点重合，没有航向\n";
    }
    return lines;
}

}  // namespace orvanto::navigation
