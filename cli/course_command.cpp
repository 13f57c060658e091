#include "cli/course_command.h"

#include <iostream>
#include <variant>

#include "calculator/decoded_points.h"
#include "cli/compass_correction.h"
#include "cli/exit_status.h"
#include "passage/course_report.h"

namespace orvanto::cli {

int runCourse(const Request& request) {
    const auto decoded = decodePoints(request.input, kDistancePoints);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        std::cerr << message->text << "\n";
        return kExitMessage;
    }
    const auto& points = std::get<DecodedPoints>(decoded);
    const auto correction = compassCorrectionOf(request);
    if (!correction) {
        std::cerr << "orvanto-cli：" << correction.error() << "\n";
        return kExitFailure;  // as route stops on its card
    }
    const passage::CourseOptions options{
        correction.value(),        request.method,     request.vertex,  request.input.point1.mode,
        request.input.point2.mode, request.courseForm, request.showWork};
    const auto report =
        passage::courseReport(points.point1, points.point2, options,
                              request.tableFormat.value_or(passage::TableFormat::Text));
    if (!report) {
        std::cerr << "orvanto-cli：" << report.error() << "\n";
        return kExitMessage;
    }
    std::cout << report.value();
    return kExitSuccess;
}

}  // namespace orvanto::cli
