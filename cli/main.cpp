// orvanto-cli: the distance and angle commands from the command line. It fills an in-memory window
// with the entries, runs the same command the window's buttons run, and prints what the window
// would show: the result boxes on standard output, any message on standard error.
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "angle_command.h"
#include "cli_arguments.h"
#include "code_points.h"
#include "distance_command.h"
#include "in_memory_window.h"

namespace {

using orvanto::InMemoryWindow;
using orvanto::OptionButton;
using orvanto::TextBox;

constexpr int kExitSuccess = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;

constexpr TextBox kEntryBoxes[] = {TextBox::Text1, TextBox::Text2, TextBox::Text3,
                                   TextBox::Text4, TextBox::Text5, TextBox::Text6};
constexpr OptionButton kMinutesOptions[] = {OptionButton::Option1, OptionButton::Option3,
                                            OptionButton::Option5};

int usageError(std::string_view problem) {
    std::cerr << "orvanto-cli：" << problem << "\n" << orvanto::cli::usageSummary();
    return kExitUsage;
}

int runCommand(const orvanto::cli::Request& request) {
    InMemoryWindow window;
    for (std::size_t point = 0; point < 3; ++point) {
        window.select(kMinutesOptions[point], !request.seconds[point]);
    }
    for (std::size_t i = 0; i < request.entries.size(); ++i) {
        window.setText(kEntryBoxes[i], request.entries[i]);
    }
    const bool distance = request.action == orvanto::cli::Action::Distance;
    const auto outcome =
        distance ? orvanto::runDistanceCommand(window) : orvanto::runAngleCommand(window);
    for (const InMemoryWindow::Message& message : window.messages()) {
        std::cerr << message.text << "\n";
    }
    if (outcome != orvanto::CommandOutcome::Completed) {
        return kExitMessage;
    }
    if (distance) {
        std::cout << window.text(TextBox::Text7) << '\t' << window.text(TextBox::Text8) << "\n";
    } else {
        std::cout << window.text(TextBox::Text9) << "\n";
    }
    return kExitSuccess;
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
