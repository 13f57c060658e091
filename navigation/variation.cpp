#include "navigation/variation.h"

#include <cmath>

#include "navigation/courses.h"
#include "notation/typed_number.h"

namespace orvanto::navigation {
namespace {

constexpr double kLargestVariation = 180;

}  // namespace

std::optional<double> readVariation(std::string_view text) {
    const std::optional<double> degrees = readEastWestDegrees(text);
    if (!degrees || std::fabs(*degrees) > kLargestVariation) {
        return std::nullopt;
    }
    return degrees;
}

std::optional<double> readDeviation(std::string_view text) {
    return readVariation(text);
}

std::optional<double> magneticCourse(std::optional<double> trueCourse, double variation) {
    if (!trueCourse) {
        return std::nullopt;
    }
    return normalisedCourse(*trueCourse - variation);
}

}  // namespace orvanto::navigation
