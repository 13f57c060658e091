#include "cli/fix_options.h"

#include <string>

#include "cli/passage_words.h"
#include "passage/fix_request.h"
#include "passage/light_range_report.h"
#include "passage/option_rules.h"
#include "text/code_points.h"

namespace orvanto::cli {
namespace {

using Outcome = Expected<void, UsageError>;
using navigation::PositionLineKind;

Outcome refused(std::string text) {
    return unexpected(UsageError{std::move(text)});
}

Outcome needsValue(const Option& option, std::string_view example) {
    return refused(std::string{option.name} + " 须写成 " + std::string{option.name} + "=" +
                   std::string{example});
}

// The range value an option gives.
passage::RangeValue rangeValueOf(std::string_view name) {
    if (name == "--eye") {
        return passage::RangeValue::Eye;
    }
    if (name == "--object") {
        return passage::RangeValue::Object;
    }
    return name == "--charted" ? passage::RangeValue::Charted : passage::RangeValue::Luminous;
}

}  // namespace

template <PositionLineKind Kind>
Outcome readObservationOption(const Option& option, const Command& /*command*/,
                              std::optional<std::string_view> value, Request& request) {
    if (!value) {
        return needsValue(option, Kind == PositionLineKind::HorizontalAngle
                                      ? "纬度1,经度1,纬度2,经度2,夹角[@时间]"
                                      : "纬度,经度,值[@时间]");
    }
    request.fix.observations.push_back({Kind, option.name, *value});
    return {};
}

template Outcome readObservationOption<PositionLineKind::Bearing>(const Option&, const Command&,
                                                                  std::optional<std::string_view>,
                                                                  Request&);
template Outcome readObservationOption<PositionLineKind::Range>(const Option&, const Command&,
                                                                std::optional<std::string_view>,
                                                                Request&);
template Outcome readObservationOption<PositionLineKind::HorizontalAngle>(
    const Option&, const Command&, std::optional<std::string_view>, Request&);

Outcome readRunOption(const Option& option, const Command& /*command*/,
                      std::optional<std::string_view> value, Request& request) {
    if (!value) {
        return needsValue(option, "航向/航速，例如 --run=045/12");
    }
    request.fix.run = *value;
    return {};
}

Outcome readDeadReckoningOption(const Option& option, const Command& /*command*/,
                                std::optional<std::string_view> value, Request& request) {
    if (!value) {
        return needsValue(option, "纬度,经度，例如 --dr=3110.5N,12205.0E");
    }
    request.fix.deadReckoning = *value;
    return {};
}

template <std::optional<double> FixOptions::*Member>
Outcome readRangeOption(const Option& option, const Command& /*command*/,
                        std::optional<std::string_view> value, Request& request) {
    const passage::RangeValue kind = rangeValueOf(option.name);
    if (!value) {
        return needsValue(option, "值，例如 " + std::string{option.name} + "=16");
    }
    request.fix.*Member = passage::readRangeValue(kind, *value);
    if (!(request.fix.*Member)) {
        return refused(std::string{option.name} + " 须是" +
                       std::string{passage::rangeValueForms(kind)} + "，不认识“" +
                       std::string{*value} + "”");
    }
    return {};
}

template Outcome readRangeOption<&FixOptions::eye>(const Option&, const Command&,
                                                   std::optional<std::string_view>, Request&);
template Outcome readRangeOption<&FixOptions::object>(const Option&, const Command&,
                                                      std::optional<std::string_view>, Request&);
template Outcome readRangeOption<&FixOptions::charted>(const Option&, const Command&,
                                                       std::optional<std::string_view>, Request&);
template Outcome readRangeOption<&FixOptions::luminous>(const Option&, const Command&,
                                                        std::optional<std::string_view>, Request&);

namespace {

// A compass rule broken by a bearing (观测 2（--bearing）的磁方位“…”须与 --variation 同用) or by
// the run's course, as ruleText words a reckoning's course.
std::string compassText(passage::Rule rule, const std::string& name, std::string_view typed,
                        bool runCourse) {
    std::string text = ruleText(rule, "fix", std::string{typed});
    if (runCourse || !(text.starts_with("磁航向") || text.starts_with("罗航向"))) {
        return text;
    }
    std::string said = name;
    said += text.starts_with("磁") ? "的磁方位" : "的罗方位";
    said += text.substr(std::string_view{"磁航向"}.size());
    return said;
}

std::string fixProblemText(const passage::FixPlanProblem& problem, const passage::FixRequest& asked,
                           const FixOptions& fix) {
    using Kind = passage::FixPlanProblem::Kind;
    using passage::FixRule;
    const std::size_t i = problem.observation;
    // Of the observation a problem is in: there is none when there are none.
    const auto name = [&] {
        return "观测 " + std::to_string(i + 1) + "（" + std::string{fix.observations[i].option} +
               "）";
    };
    switch (problem.kind) {
        case Kind::Observation:
            return name() + problem.read.text;
        case Kind::Compass:
            return compassText(problem.rule, name(),
                               problem.runCourse ? *fix.run : fix.observations[i].text,
                               problem.runCourse);
        case Kind::DeadReckoning:
            return "--dr 的“" + std::string{*fix.deadReckoning} + "”" + problem.read.text;
        case Kind::Time:
            return problem.time.text;
        case Kind::RunUnread:
            return "--run 须是航向/航速：航向写法同 reckon 的航向（如 045、040M），航速为大于 "
                   "0、不超过 100 的节数，如 045/12，不认识“" +
                   std::string{*fix.run} + "”";
        case Kind::Rule:
            break;
    }
    switch (problem.fixRule) {
        case FixRule::TwoLinesNeeded:
            return "fix 至少需要两条位置线：--bearing、--range 或 --angle，共给出 " +
                   std::to_string(fix.observations.size()) + " 条";
        case FixRule::TimesAllOrNone: {
            const bool timed = asked.observations[i].value().time.has_value();
            return "各次观测须都带时间（@时:分）或都不带：观测 1 " +
                   std::string{timed ? "没有" : "带了"} + "，观测 " + std::to_string(i + 1) +
                   (timed ? " 带了" : " 没有");
        }
        case FixRule::CurrentNeedsRun:
            return needsText("fix", "--current", "--run");
        case FixRule::RunNeedsTimes:
            return "fix 的 --run 用于移线，须给出各次观测的时间（如 --bearing=…@08:30）";
        case FixRule::TimesNeedRun:
            return "观测时间不同，须给出 --run（航向/航速，如 --run=045/12）以移线";
        case FixRule::RunNeedsTimeApart:
            break;
    }
    return "各次观测都在同一时间，无需 --run 移线";
}

}  // namespace

Outcome checkFix(std::span<const std::string_view> /*operands*/, Request& request) {
    FixOptions& fix = request.fix;
    const EntryMode mode = request.input.point1.mode;
    passage::FixRequest asked;
    for (const FixOptions::Typed& typed : fix.observations) {
        auto read = passage::readObservation(typed.kind, typed.text, mode);
        if (read) {
            asked.observations.emplace_back(std::move(read.value()));
        } else {
            asked.observations.emplace_back(
                unexpected(passage::ObservationProblem{{}, read.error()}));
        }
    }
    asked.runGiven = fix.run.has_value();
    if (fix.run) {
        asked.run = passage::readShipRun(*fix.run);
    }
    asked.current = request.current;
    if (fix.deadReckoning) {
        auto dr = passage::readPosition(*fix.deadReckoning, mode);
        if (dr) {
            asked.deadReckoning = dr.value();
        } else {
            asked.deadReckoning = unexpected(passage::ObservationProblem{{}, dr.error()});
        }
    }
    asked.correction = {request.variation, request.deviation, {}};
    auto plan = passage::planFix(asked);
    if (!plan) {
        return refused(fixProblemText(plan.error(), asked, fix));
    }
    fix.read = std::move(plan.value().observations);
    fix.readDeadReckoning = plan.value().deadReckoning;
    fix.time = std::move(plan.value().time);
    return {};
}

Outcome checkRange(std::span<const std::string_view> /*operands*/, Request& request) {
    const FixOptions& fix = request.fix;
    if (!fix.eye) {
        return refused("range 须给出 --eye（眼高，米）");
    }
    if (fix.charted && fix.object) {
        return refused("--charted 与 --object 只能用其一：海图射程已含灯高");
    }
    if (fix.luminous && !fix.charted && !fix.object) {
        return refused("--luminous 须与 --charted 或 --object 同用");
    }
    return {};
}

}  // namespace orvanto::cli
