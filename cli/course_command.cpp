#include "cli/course_command.h"

#include <iostream>
#include <variant>

#include "calculator/decoded_points.h"
#include "cli/exit_status.h"
#include "navigation/course_text.h"
#include "navigation/courses.h"

namespace orvanto::cli {

using navigation::TableFormat;

int runCourse(const Request& request) {
    const auto decoded = decodePoints(request.input, kDistancePoints);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        std::cerr << message->text << "\n";
        return kExitMessage;
    }
    const auto& points = std::get<DecodedPoints>(decoded);
    const navigation::Courses courses = navigation::measureCourses(points.point1, points.point2);
    const std::optional<double> variation = request.variation;
    if (request.tableFormat.value_or(TableFormat::Text) == TableFormat::Text) {
        std::cout << navigation::courseLines(courses, variation);
        return kExitSuccess;
    }
    const auto fields = navigation::courseFields(courses, variation);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::cout << (i > 0 ? "\t" : "") << fields[i];
    }
    std::cout << "\n";
    return kExitSuccess;
}

}  // namespace orvanto::cli
