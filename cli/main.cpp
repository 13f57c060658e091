// orvanto-cli: the distance and angle commands from the command line. The arguments become the
// same input the window reads from its boxes; the result texts go to standard output exactly as the
// window's result boxes show them, a message to standard error word for word.
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calculator/calculation.h"
#include "cli/cli_arguments.h"
#include "geometry/code_points.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;

int usageError(std::string_view problem) {
    std::cerr << "orvanto-cli：" << problem << "\n" << orvanto::cli::usageSummary();
    return kExitUsage;
}

int printed(const orvanto::Message& message) {
    std::cerr << message.text << "\n";
    return kExitMessage;
}

int printed(const orvanto::DistanceTexts& texts) {
    std::cout << texts.kilometres << '\t' << texts.nauticalMiles << "\n";
    return kExitSuccess;
}

int printed(const orvanto::AngleText& text) {
    std::cout << text.degrees << "\n";
    return kExitSuccess;
}

int runCommand(const orvanto::cli::Request& request) {
    const auto print = [](const auto& outcome) { return printed(outcome); };
    if (request.action == orvanto::cli::Action::Distance) {
        return std::visit(print, orvanto::calculateDistance(request.input));
    }
    return std::visit(print, orvanto::calculateAngle(request.input));
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!orvanto::isValidUtf8(arguments[i])) {
            return usageError("第 " + std::to_string(i + 1) +
                              " 个参数不是有效的 UTF-8 文本，请检查终端的字符编码");
        }
    }
    const auto parsed = orvanto::cli::parseArguments(arguments);
    if (const auto* error = std::get_if<orvanto::cli::UsageError>(&parsed)) {
        return usageError(error->problem);
    }
    const auto& request = std::get<orvanto::cli::Request>(parsed);
    switch (request.action) {
        case orvanto::cli::Action::Help:
            std::cout << orvanto::cli::helpText();
            return kExitSuccess;
        case orvanto::cli::Action::Version:
            std::cout << "orvanto-cli " << ORVANTO_VERSION << "\n";
            return kExitSuccess;
        default:
            return runCommand(request);
    }
}
