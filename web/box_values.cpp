#include "web/box_values.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "batch/csv_reader.h"
#include "batch/memory_streams.h"
#include "batch/text_encoding.h"
#include "passage/deviation_card.h"
#include "passage/passage_values.h"
#include "passage/value_forms.h"
#include "text/printable.h"

namespace orvanto::web {

using emscripten::val;

std::string Boxes::text(const std::string& id) const {
    const val typed = texts_[id];
    return typed.isString() ? typed.as<std::string>() : std::string{};
}

std::string Boxes::notRead(std::string_view name, std::string_view forms, std::string_view typed) {
    return "“" + std::string{name} + "”须是" + std::string{forms} + "，不认识“" + printable(typed) +
           "”";
}

BoxValue<passage::Departure> Boxes::departure(const std::string& id) const {
    const std::string typed = text(id);
    if (typed.empty()) {
        return std::optional<passage::Departure>{};
    }
    auto read = passage::parseDeparture(typed);
    if (read) {
        return std::optional<passage::Departure>{read.value()};
    }
    const std::string forms = notRead("开航时间", passage::kDepartureForms, typed);
    return unexpected(BoxProblem{
        id, read.error().empty() ? forms
                                 : "“开航时间”的“" + printable(typed) + "”有误：" + read.error() +
                                       "。" + forms.substr(0, forms.rfind("，不认识"))});
}

BoxValue<navigation::Current> Boxes::current(const std::string& setId,
                                             const std::string& driftId) const {
    const std::string set = text(setId);
    const std::string drift = text(driftId);
    if (set.empty() && drift.empty()) {
        return std::optional<navigation::Current>{};
    }
    if (set.empty() || drift.empty()) {
        return unexpected(BoxProblem{set.empty() ? setId : driftId,
                                     "流向和流速须一同填写：流向是海流流去的真方向，流速是节数"});
    }
    // Each half read with the other one at a value that always reads.
    if (!passage::readCurrent(set + "/0")) {
        return unexpected(BoxProblem{
            setId, notRead("流向", "海流流去的真方向，0 到 360 度，如 045 或 045°", set)});
    }
    if (!passage::readCurrent("0/" + drift)) {
        return unexpected(
            BoxProblem{driftId, notRead("流速", "0 到 20 的节数，如 1.5 或 1.5kn", drift)});
    }
    return passage::readCurrent(set + "/" + drift);
}

Expected<std::optional<navigation::DeviationCard>, BoxProblem> deviationCard(const Boxes& boxes) {
    const std::string text = boxes.text("route-deviation-card");
    if (text.empty()) {
        return std::optional<navigation::DeviationCard>{};
    }
    batch::MemorySource source{text};
    batch::CsvReader reader{source};
    batch::Utf8Codec codec;
    auto card = passage::readDeviationCard(reader, codec);
    if (!card) {
        return unexpected(BoxProblem{"route-deviation", card.error()});
    }
    return std::optional{std::move(card.value())};
}

Expected<navigation::CompassCorrection, BoxProblem> compassCorrection(const Boxes& boxes) {
    const auto variation =
        boxes.read("route-variation", "磁差", passage::kVariationForms, passage::readVariation);
    if (!variation) {
        return unexpected(variation.error());
    }
    const auto deviation =
        boxes.read("route-deviation", "自差", passage::kDeviationForms, passage::readDeviation);
    if (!deviation) {
        return unexpected(deviation.error());
    }
    auto card = deviationCard(boxes);
    if (!card) {
        return unexpected(card.error());
    }
    passage::GivenOptions given;
    given.variation = variation.value().has_value();
    given.deviation = deviation.value().has_value();
    given.card = card.value().has_value();
    if (const auto rule = passage::brokenRequirement(passage::Planning::Course, given)) {
        return unexpected(ruleProblem(*rule));
    }
    if (given.deviation && given.card) {
        return unexpected(ruleProblem(passage::Rule::DeviationOrCard));
    }
    return navigation::CompassCorrection{variation.value(), deviation.value(),
                                         std::move(card.value())};
}

BoxProblem ruleProblem(passage::Rule rule, const RuleContext& context) {
    using passage::Rule;
    const std::string reason{passage::reasonOf(rule)};
    switch (rule) {
        case Rule::DeviationNeedsVariation:
            return {"route-variation", "填了自差还须填写磁差：" + reason};
        case Rule::CardNeedsVariation:
            return {"route-variation", "用自差表还须填写磁差：" + reason};
        case Rule::DeviationOrCard:
            return {"route-deviation", "自差和自差表只能用其一：" + reason};
        case Rule::CurrentNeedsSpeed:
            return {"route-speed", "有流向、流速时须填写航速（节）：" + reason};
        case Rule::CurrentWithLimitNeedsStep:
            return {"route-step", "流向、流速与限制纬度同用时须填写分点间隔：" + reason};
        case Rule::CurrentWithGreatCircleNeedsStep:
            return {"route-step", "流向、流速与大圆航段（航法 GC）同用时须填写分点间隔：" + reason};
        case Rule::DepartureNeedsSpeed:
            return {"route-speed",
                    "开航时间须与航速（节）同用，或者航点有 speed（航速）列：" + reason};
        case Rule::EtaZoneNeedsDeparture:
            return {"route-departure", "选了预计到达时区还须填写开航时间：" + reason};
        case Rule::MagneticNeedsVariation:
            return {"route-variation",
                    "磁航向“" + context.course + "”须有磁差：请在航线一节填写磁差"};
        case Rule::CompassNeedsDeviation:
            return {context.variation ? "route-deviation" : "route-variation",
                    "罗航向“" + context.course + "”须有磁差和自差：请在航线一节填写磁差和自差"};
        case Rule::DistanceOrSpeed:
            return {"reckon-distance",
                    "填了航程（海里）就不填航速（节）和航时，填航速和航时就不写航程"};
        case Rule::CurrentNeedsTime:
            return {"reckon-speed", "有流向、流速时须填写航速（节）和航时（不写航程）：" + reason};
        case Rule::SpeedNeedsHours:
        case Rule::HoursNeedSpeed:
        case Rule::RunNeeded:
            break;
    }
    return {rule == Rule::SpeedNeedsHours  ? "reckon-hours"
            : rule == Rule::HoursNeedSpeed ? "reckon-speed"
                                           : "reckon-distance",
            "请填写航程（海里），或者航速（节）和航时"};
}

int browserOffsetMinutes(const passage::ClockTime& clock) {
    // Set field by field: the constructor would read years below 100 as 19xx.
    val date = val::global("Date").new_(0);
    date.call<void>("setFullYear", clock.year, clock.month - 1, clock.day);
    date.call<void>("setHours", clock.hour, clock.minute, clock.second, 0);
    return -date.call<int>("getTimezoneOffset");
}

val problemObject(const BoxProblem& problem) {
    val result = val::object();
    result.set("error", problem.text);
    result.set("box", problem.box);
    return result;
}

val tsvFields(const std::string& line) {
    val fields = val::array();
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find_first_of("\t\n", at), line.size());
        fields.call<void>("push", line.substr(at, end - at));
        at = end + 1;
    }
    return fields;
}

}  // namespace orvanto::web
