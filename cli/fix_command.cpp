#include "cli/fix_command.h"

#include <iostream>

#include "cli/exit_status.h"
#include "navigation/position_fix.h"
#include "passage/fix_report.h"
#include "passage/light_range_report.h"

namespace orvanto::cli {

int runFix(const Request& request) {
    std::vector<navigation::PositionLine> lines;
    for (const passage::ReadObservation& seen : request.fix.read) {
        lines.push_back(seen.line);
    }
    const auto fix = navigation::fixPosition(lines, request.fix.readDeadReckoning);
    if (!fix) {
        const auto& problem = fix.error();
        std::cerr << "orvanto-cli：观测 " << problem.first + 1 << "（"
                  << request.fix.observations[problem.first].option << "）与观测 "
                  << problem.second + 1 << "（" << request.fix.observations[problem.second].option
                  << "）的位置线不相交，无法定位\n";
        return kExitMessage;
    }
    const passage::FixNotes notes{request.fix.read, request.fix.readDeadReckoning,
                                  request.fix.time};
    std::cout << passage::fixReport(fix.value(), notes,
                                    request.tableFormat.value_or(passage::TableFormat::Text));
    return kExitSuccess;
}

int runRange(const Request& request) {
    const FixOptions& fix = request.fix;
    const passage::LightRangeRequest asked{*fix.eye, fix.object, fix.charted, fix.luminous};
    std::cout << passage::lightRangeReport(
        asked, request.tableFormat.value_or(passage::TableFormat::Text));
    return kExitSuccess;
}

}  // namespace orvanto::cli
