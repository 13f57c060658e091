#include "cli/course_command.h"

#include <iostream>
#include <variant>

#include "calculator/decoded_points.h"
#include "cli/exit_status.h"
#include "navigation/course_text.h"
#include "navigation/courses.h"
#include "navigation/variation.h"

namespace orvanto::cli {
namespace {

using navigation::Courses;
using navigation::courseText;
using navigation::distanceText;
using navigation::magneticCourse;
using navigation::nauticalMilesText;
using navigation::TableFormat;

// "045.3°T", with the magnetic course beside it when there is a variation.
std::string labelledCourse(std::optional<double> course, std::optional<double> variation) {
    std::string text = courseText(course) + "°T";
    if (variation) {
        text += " " + courseText(magneticCourse(course, *variation)) + "°M";
    }
    return text;
}

void printText(const Courses& courses, std::optional<double> variation) {
    const auto distances = [](double kilometres) {
        return distanceText(kilometres) + " 公里，" + nauticalMilesText(kilometres) + " 海里";
    };
    std::cout << "大圆航线：" << distances(courses.greatCircleKilometres);
    if (courses.initialCourse) {
        std::cout << "；初始航向 " << labelledCourse(courses.initialCourse, variation)
                  << "，最终航向 " << labelledCourse(courses.finalCourse, variation);
    }
    std::cout << "\n恒向线：  " << distances(courses.rhumbKilometres);
    if (courses.rhumbCourse) {
        std::cout << "；航向 " << labelledCourse(courses.rhumbCourse, variation);
    }
    std::cout << "\n";
    if (!courses.rhumbCourse) {
        std::cout << (courses.greatCircleKilometres > 0 ? "点在极点上，航向无从确定\n"
                                                        : "两点重合，没有航向\n");
    }
}

}  // namespace

int runCourse(const Request& request) {
    const auto decoded = decodePoints(request.input, kDistancePoints);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        std::cerr << message->text << "\n";
        return kExitMessage;
    }
    const auto& points = std::get<DecodedPoints>(decoded);
    const Courses courses = navigation::measureCourses(points.point1, points.point2);
    const std::optional<double> variation = request.variation;
    if (request.tableFormat.value_or(TableFormat::Text) == TableFormat::Text) {
        printText(courses, variation);
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
