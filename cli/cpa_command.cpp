#include "cli/cpa_command.h"

#include <iostream>
#include <string>

#include "cli/exit_status.h"
#include "cli/passage_words.h"
#include "passage/plot_values.h"
#include "passage/target_plot.h"
#include "passage/target_plot_report.h"

namespace orvanto::cli {
namespace {

using Outcome = Expected<void, UsageError>;
using passage::PlotRule;

// "--target 须是方位/距离@时间…，不认识“x”", or the value a lone option lacks.
template <typename Value>
Expected<Value, UsageError> valueOf(const Option& option, std::optional<std::string_view> value,
                                    std::optional<Value> (*read)(std::string_view)) {
    if (!value) {
        return unexpected(UsageError{std::string{option.name} + " 须写成 " +
                                     std::string{option.name} + "=值，例如 " +
                                     std::string{option.name} + "=" + std::string{option.example}});
    }
    const auto parsed = read(*value);
    if (!parsed) {
        return unexpected(UsageError{std::string{option.name} + " 须是" +
                                     std::string{option.forms} + "，不认识“" + std::string{*value} +
                                     "”"});
    }
    return *parsed;
}

// The course of "045/12" as typed, for a message about it.
std::string courseTyped(std::string_view motion) {
    return std::string{motion.substr(0, std::min(motion.find('/'), motion.find("／")))};
}

std::string plotRuleText(PlotRule rule) {
    switch (rule) {
        case PlotRule::OwnMotionNeeded:
            return "cpa 须有本船的航向和航速：--own=航向/航速，如 --own=045/12";
        case PlotRule::ObservationNeeded:
            return "cpa 须有目标的观测：--target=方位/距离@时间，如 --target=123/6.2@08:12";
        case PlotRule::SecondObservation:
            return "只有一次 --target 时须加 --target-motion（目标的 AIS "
                   "航向/航速），否则至少要两次 "
                   "--target";
        case PlotRule::AisWithOneObservation:
            return "--target-motion 只与一次 --target "
                   "同用：有两次以上的观测时，目标的运动由标绘得出";
        case PlotRule::ActionNeedsPass:
            return needsText("cpa", "--action", "--pass");
        case PlotRule::PassNeedsAction:
            break;
    }
    return needsText("cpa", "--pass", "--action");
}

}  // namespace

Outcome readOwnMotion(const Option& option, const Command& /*command*/,
                      std::optional<std::string_view> value, Request& request) {
    auto motion = valueOf(option, value, passage::readMotion);
    if (!motion) {
        return unexpected(motion.error());
    }
    request.plot.own = motion.value();
    request.ownMotionText = courseTyped(*value);
    return {};
}

Outcome readTargetMotion(const Option& option, const Command& /*command*/,
                         std::optional<std::string_view> value, Request& request) {
    auto motion = valueOf(option, value, passage::readMotion);
    if (!motion) {
        return unexpected(motion.error());
    }
    request.plot.targetMotion = motion.value();
    request.targetMotionText = courseTyped(*value);
    return {};
}

Outcome readTarget(const Option& option, const Command& /*command*/,
                   std::optional<std::string_view> value, Request& request) {
    auto observation = valueOf(option, value, passage::readObservation);
    if (!observation) {
        return unexpected(observation.error());
    }
    request.plot.observations.push_back(observation.value());
    return {};
}

Outcome readLimit(const Option& option, const Command& /*command*/,
                  std::optional<std::string_view> value, Request& request) {
    auto limit = valueOf(option, value, passage::readPassingDistance);
    if (!limit) {
        return unexpected(limit.error());
    }
    request.plot.limit = limit.value();
    return {};
}

Outcome readAction(const Option& option, const Command& /*command*/,
                   std::optional<std::string_view> value, Request& request) {
    auto clock = valueOf(option, value, passage::readClockTime);
    if (!clock) {
        return unexpected(clock.error());
    }
    request.plot.actionClock = clock.value();
    return {};
}

Outcome readPass(const Option& option, const Command& /*command*/,
                 std::optional<std::string_view> value, Request& request) {
    auto pass = valueOf(option, value, passage::readPassingDistance);
    if (!pass) {
        return unexpected(pass.error());
    }
    request.plot.pass = pass.value();
    return {};
}

Outcome checkCpa(std::span<const std::string_view> /*operands*/, Request& request) {
    request.plot.correction = {request.variation, request.deviation, {}};
    const auto problem = passage::brokenPlotRule(passage::givenBy(request.plot));
    if (!problem) {
        return {};
    }
    if (problem->kind == passage::TargetPlotProblem::Kind::Compass) {
        return unexpected(UsageError{
            ruleText(problem->rule, "cpa",
                     problem->targetCourse ? request.targetMotionText : request.ownMotionText)});
    }
    return unexpected(UsageError{plotRuleText(problem->plotRule)});
}

int runCpa(const Request& request) {
    const auto plan = passage::planTargetPlot(request.plot);
    if (!plan) {
        // The rules were checked with the options: what is left is the order of the times.
        const std::size_t at = plan.error().observation;
        std::cerr << "orvanto-cli：第 " << at + 1 << " 个 --target 的时间 "
                  << passage::clockText(request.plot.observations[at].minutes) << " 不晚于前一个 "
                  << passage::clockText(request.plot.observations[at - 1].minutes)
                  << "：各次观测须按时间先后给出\n";
        return kExitMessage;
    }
    const auto format = request.tableFormat.value_or(passage::TableFormat::Text);
    if (format == passage::TableFormat::Text) {
        std::cout << passage::targetPlotReport(plan.value(), request.plot.correction, format);
        return kExitSuccess;
    }
    if (const auto warning = passage::offLineWarning(plan.value())) {
        std::cerr << "orvanto-cli：" << *warning << "\n";
    }
    std::cout << passage::targetPlotReport(plan.value(), request.plot.correction, format);
    return kExitSuccess;
}

}  // namespace orvanto::cli
