// Courses for the page: the two lines `orvanto-cli course` prints for point 1 → point 2, and the
// variation typed in the 磁差 box read as the command line's --variation reads it.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>

#include "navigation/course_report.h"
#include "navigation/variation.h"

namespace orvanto {
namespace {

using emscripten::val;

// Degrees east, or null for a text that is no variation.
val readVariation(const std::string& text) {
    const auto degrees = navigation::readVariation(text);
    return degrees ? val(*degrees) : val::null();
}

// `from` and `to` are [latitude, longitude] in degrees as the distance command decoded them;
// `variation` is degrees east or null.
std::string courseLines(const val& from, const val& to, const val& variation) {
    const auto point = [](const val& pair) {
        return ChartPoint{pair[0].as<double>(), pair[1].as<double>()};
    };
    navigation::CourseOptions options;
    options.correction.variation =
        variation.isNull() ? std::nullopt : std::optional<double>{variation.as<double>()};
    return navigation::courseReport(point(from), point(to), options, navigation::TableFormat::Text);
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_courses) {
    emscripten::function("readVariation", &readVariation);
    emscripten::function("courseLines", &courseLines);
}

}  // namespace orvanto
