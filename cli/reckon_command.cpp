#include "cli/reckon_command.h"

#include <iostream>
#include <variant>

#include "calculator/decoded_points.h"
#include "cli/compass_correction.h"
#include "cli/exit_status.h"
#include "navigation/current_triangle.h"
#include "navigation/reckoning.h"
#include "passage/reckoning_report.h"
#include "passage/sailing_reasons.h"

namespace orvanto::cli {

int runReckon(const Request& request) {
    const auto decoded = decodePoints(request.input, 1);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        std::cerr << message->text << "\n";
        return kExitMessage;
    }
    auto correction = compassCorrectionOf(request);
    if (!correction) {
        std::cerr << "orvanto-cli：" << correction.error() << "\n";
        return kExitFailure;  // as route stops on its card
    }
    // Built whole: assigning the correction into a default one makes GCC's -O1 see an
    // uninitialised deviation card.
    passage::ReckoningNotes notes{std::get<DecodedPoints>(decoded).point1,
                                  request.input.point1.mode,
                                  request.method,
                                  std::move(correction.value()),
                                  {},
                                  false,
                                  request.courseForm,
                                  request.showWork};
    // The options were checked together: the course converts, and there is a distance or a speed
    // and hours.
    notes.run.course = *notes.correction.trueCourse(*request.course);
    notes.run.nauticalMiles =
        request.distance ? *request.distance : *request.speed * *request.hours;
    if (request.current) {
        notes.run = navigation::runOverGround(notes.run, *request.hours, *request.current);
        notes.overGround = true;
    }
    const auto reckoning = navigation::reckon(notes.start, notes.run, notes.method);
    if (!reckoning) {
        std::cerr << "orvanto-cli：" << passage::reasonFor(reckoning.error()) << "\n";
        return kExitMessage;
    }
    std::cout << passage::reckoningReport(reckoning.value(), notes,
                                          request.tableFormat.value_or(passage::TableFormat::Text));
    return kExitSuccess;
}

}  // namespace orvanto::cli
