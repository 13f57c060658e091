#include "cli/fix_command.h"

#include <iostream>

#include "calculator/decimal_text.h"
#include "cli/exit_status.h"
#include "navigation/light_ranges.h"
#include "navigation/position_fix.h"
#include "passage/fix_report.h"

namespace orvanto::cli {
namespace {

std::string miles(double nauticalMiles) {
    return formatDecimals(nauticalMiles, 2, NumberStyle::Plain);
}

std::string metres(double height) {
    return formatDecimals(height, 2, NumberStyle::Plain);
}

}  // namespace

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
    const double eye = *fix.eye;
    const double horizon = navigation::horizonRange(eye);
    std::optional<double> range;
    std::string text = "眼高 " + metres(eye) + " 米，视距 2.09 × √" + metres(eye) + " = " +
                       miles(horizon) + " 海里\n";
    if (fix.object) {
        const double geographic = navigation::geographicRange(*fix.object, eye);
        range = fix.luminous ? std::min(geographic, *fix.luminous) : geographic;
        text += "物标高 " + metres(*fix.object) + " 米，地理能见距离 2.09 × (√" +
                metres(*fix.object) + " + √" + metres(eye) + ") = " + miles(geographic) + " 海里\n";
        if (fix.luminous && *fix.luminous < geographic) {
            text += "光力射程 " + miles(*fix.luminous) + " 海里较小，能见距离 " + miles(*range) +
                    " 海里\n";
        }
    } else if (fix.charted) {
        const navigation::ChartedRange charted =
            navigation::chartedRange(*fix.charted, eye, fix.luminous);
        range = charted.range;
        text += "海图射程 " + miles(*fix.charted) + " 海里按眼高 5 米的地理能见距离计：眼高 " +
                metres(eye) + " 米时 " + miles(*fix.charted) + " + 2.09 × (√" + metres(eye) +
                " − √5) = " + miles(charted.geographic) + " 海里\n";
        if (charted.capped) {
            text += "光力射程 " + miles(*fix.luminous) + " 海里较小，灯光最大可见距离 " +
                    miles(charted.range) + " 海里\n";
        }
    }
    if (request.tableFormat == passage::TableFormat::Tsv) {
        std::cout << miles(horizon) << "\t" << (range ? miles(*range) : "") << "\n";
    } else {
        std::cout << text;
    }
    return kExitSuccess;
}

}  // namespace orvanto::cli
