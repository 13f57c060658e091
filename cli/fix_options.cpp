#include "cli/fix_options.h"

#include <cmath>
#include <string>

#include "cli/passage_words.h"
#include "navigation/compass_error.h"
#include "passage/light_range_report.h"
#include "passage/option_rules.h"
#include "text/code_points.h"

namespace orvanto::cli {
namespace {

using Outcome = Expected<void, UsageError>;
using navigation::PositionLineKind;

constexpr double kMinutesPerHour = 60;

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

Outcome checkFix(std::span<const std::string_view> /*operands*/, Request& request) {
    FixOptions& fix = request.fix;
    if (fix.observations.size() < 2) {
        return refused("fix 至少需要两条位置线：--bearing、--range 或 --angle，共给出 " +
                       std::to_string(fix.observations.size()) + " 条");
    }
    const EntryMode mode = request.input.point1.mode;
    const navigation::CompassCorrection correction{request.variation, request.deviation, {}};
    std::vector<passage::ObservationTime> times;
    for (std::size_t i = 0; i < fix.observations.size(); ++i) {
        const auto& typed = fix.observations[i];
        const std::string name =
            "观测 " + std::to_string(i + 1) + "（" + std::string{typed.option} + "）";
        auto read = passage::readObservation(typed.kind, typed.text, mode);
        if (!read) {
            return refused(name + read.error());
        }
        passage::ReadObservation seen = read.value();
        if (seen.bearing) {
            passage::GivenOptions given;
            given.variation = request.variation.has_value();
            given.deviation = request.deviation.has_value();
            given.course = seen.bearing->reference;
            given.distance = true;
            if (const auto rule = passage::brokenReckonRule(given)) {
                std::string text = ruleText(*rule, "fix", std::string{typed.text});
                if (text.starts_with("磁航向") || text.starts_with("罗航向")) {
                    std::string said = name;
                    said += text.starts_with("磁") ? "的磁方位" : "的罗方位";
                    said += text.substr(std::string_view{"磁航向"}.size());
                    text = said;
                }
                return refused(text);
            }
            seen.line.value = *correction.trueCourse(*seen.bearing);
        }
        if (i > 0 && seen.time.has_value() != fix.read.front().time.has_value()) {
            return refused("各次观测须都带时间（@时:分）或都不带：观测 1 " +
                           std::string{seen.time ? "没有" : "带了"} + "，观测 " +
                           std::to_string(i + 1) + (seen.time ? " 带了" : " 没有"));
        }
        if (seen.time) {
            times.push_back(*seen.time);
        }
        fix.read.push_back(seen);
    }
    if (request.current && !fix.run) {
        return refused(needsText("fix", "--current", "--run"));
    }
    if (fix.deadReckoning) {
        const auto dr = passage::readPosition(*fix.deadReckoning, mode);
        if (!dr) {
            return refused("--dr 的“" + std::string{*fix.deadReckoning} + "”" + dr.error());
        }
        fix.readDeadReckoning = dr.value();
    }
    if (times.empty()) {
        if (fix.run) {
            return refused("fix 的 --run 用于移线，须给出各次观测的时间（如 --bearing=…@08:30）");
        }
        return {};
    }
    fix.time = times.back().text;
    const auto minutes = passage::elapsedMinutes(times);
    if (!minutes) {
        return refused(minutes.error());
    }
    if (!fix.run) {
        if (minutes.value().back() > 0) {
            return refused("观测时间不同，须给出 --run（航向/航速，如 --run=045/12）以移线");
        }
        return {};
    }
    if (minutes.value().back() == 0) {
        return refused("各次观测都在同一时间，无需 --run 移线");
    }
    const auto run = passage::readShipRun(*fix.run);
    if (!run) {
        return refused(
            "--run 须是航向/航速：航向写法同 reckon 的航向（如 045、040M），航速为大于 "
            "0、不超过 100 的节数，如 045/12，不认识“" +
            std::string{*fix.run} + "”");
    }
    passage::GivenOptions given;
    given.variation = request.variation.has_value();
    given.deviation = request.deviation.has_value();
    given.course = run->course.reference;
    given.distance = true;
    if (const auto rule = passage::brokenReckonRule(given)) {
        return refused(ruleText(*rule, "fix", std::string{*fix.run}));
    }
    const double course = *correction.trueCourse(run->course);
    const double total = minutes.value().back();
    for (std::size_t i = 0; i < fix.read.size(); ++i) {
        const double hours = (total - minutes.value()[i]) / kMinutesPerHour;
        fix.read[i].line.run = {course, run->speed * hours};
        if (request.current) {
            fix.read[i].line.drift = {request.current->set, request.current->drift * hours};
        }
    }
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
