// orvanto-cli: the distance and angle commands from the command line, one leg from the arguments
// or a whole file of them, and the courses of a leg, a whole route and dead reckoning for planning
// a passage. The
// arguments become the same input the window reads from its boxes; the result texts go to standard
// output as the window's result boxes show them (or as plain numbers), a message to standard error
// word for word.
#include <cerrno>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calculator/calculation.h"
#include "calculator/decimal_text.h"
#include "calculator/messages.h"
#include "cli/batch_command.h"
#include "cli/cli_arguments.h"
#include "cli/course_command.h"
#include "cli/cpa_command.h"
#include "cli/exit_status.h"
#include "cli/fix_command.h"
#include "cli/options.h"
#include "cli/reckon_command.h"
#include "cli/route_command.h"
#include "cli/system_error.h"
#include "cli/usage_text.h"
#include "text/printable.h"

namespace {

using orvanto::NumberStyle;
using orvanto::cli::kExitFailure;
using orvanto::cli::kExitMessage;
using orvanto::cli::kExitSuccess;

int usageError(const orvanto::cli::UsageError& error) {
    // An unknown option or subcommand is quoted as typed: written out, never raw.
    const orvanto::cli::Command* command = orvanto::cli::commandNamed(error.command);
    std::cerr << "orvanto-cli：" << orvanto::printable(error.problem) << "\n"
              << (command != nullptr ? orvanto::cli::usageSummary(*command)
                                     : orvanto::cli::usageSummary());
    return kExitFailure;
}

int showOutcome(const orvanto::Message& message) {
    std::cerr << message.text << "\n";
    return kExitMessage;
}

int showOutcome(const orvanto::DistanceTexts& texts) {
    std::cout << texts.kilometres << '\t' << texts.nauticalMiles << "\n";
    return kExitSuccess;
}

int showOutcome(const orvanto::AngleText& text) {
    std::cout << text.degrees << "\n";
    return kExitSuccess;
}

int runCommand(const orvanto::cli::Request& request) {
    const auto print = [](const auto& outcome) { return showOutcome(outcome); };
    switch (request.action) {
        case orvanto::cli::Action::Help: {
            const orvanto::cli::Command* command = orvanto::cli::commandNamed(request.helpCommand);
            std::cout << (command != nullptr ? orvanto::cli::helpText(*command)
                                             : orvanto::cli::helpText());
            return kExitSuccess;
        }
        case orvanto::cli::Action::Version:
            std::cout << "orvanto-cli " << ORVANTO_VERSION << "\n";
            return kExitSuccess;
        case orvanto::cli::Action::Distance:
            return std::visit(print,
                              orvanto::calculateDistance(request.input, request.numberStyle));
        case orvanto::cli::Action::Angle:
            return std::visit(print, orvanto::calculateAngle(request.input, request.numberStyle));
        case orvanto::cli::Action::Batch:
            return orvanto::cli::runBatch(request);
        case orvanto::cli::Action::Course:
            return orvanto::cli::runCourse(request);
        case orvanto::cli::Action::Route:
            return orvanto::cli::runRoute(request);
        case orvanto::cli::Action::Reckon:
            return orvanto::cli::runReckon(request);
        case orvanto::cli::Action::Cpa:
            return orvanto::cli::runCpa(request);
        case orvanto::cli::Action::Fix:
            return orvanto::cli::runFix(request);
        case orvanto::cli::Action::Range:
            return orvanto::cli::runRange(request);
    }
    return kExitFailure;
}

int run(int argc, char* argv[]) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const auto parsed = orvanto::cli::parseArguments(arguments);
    if (!parsed) {
        return usageError(parsed.error());
    }
    const int status = runCommand(parsed.value());
    // A result that never reached its reader is a failure, not a success: a full disk, a closed
    // pipe's end, /dev/full.
    errno = 0;
    if (!std::cout.flush()) {
        std::cerr << "orvanto-cli：无法写入标准输出"
                  << (errno != 0 ? "：" + orvanto::cli::systemErrorText(errno) : "") << "\n";
        return kExitFailure;
    }
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const std::exception& failure) {
        // Nothing is expected to throw this far (a batch file reports its own failures); should
        // memory run out, say so rather than abort.
        std::cerr << "orvanto-cli：" << orvanto::printable(failure.what()) << "\n";
        return kExitFailure;
    }
}
