#include "passage/option_rules.h"

namespace orvanto::passage {
namespace {

constexpr unsigned kCompassPlannings =
    static_cast<unsigned>(Planning::Course) | static_cast<unsigned>(Planning::Route) |
    static_cast<unsigned>(Planning::Reckon) | static_cast<unsigned>(Planning::CourseColumns) |
    static_cast<unsigned>(Planning::Plot);

constexpr Requirement kRequirements[] = {
    {Rule::DeviationNeedsVariation, PassageOption::Deviation, PassageOption::Variation,
     kCompassPlannings},
    {Rule::CardNeedsVariation, PassageOption::DeviationCard, PassageOption::Variation,
     kCompassPlannings & ~static_cast<unsigned>(Planning::Plot)},
    {Rule::SpeedNeedsHours, PassageOption::Speed, PassageOption::Hours,
     static_cast<unsigned>(Planning::Reckon)},
    {Rule::HoursNeedSpeed, PassageOption::Hours, PassageOption::Speed,
     static_cast<unsigned>(Planning::Reckon)},
    {Rule::CurrentNeedsSpeed, PassageOption::Current, PassageOption::Speed,
     static_cast<unsigned>(Planning::Route)},
    {Rule::CurrentNeedsTime, PassageOption::Current, PassageOption::Speed,
     static_cast<unsigned>(Planning::Reckon)},
    {Rule::EtaZoneNeedsDeparture, PassageOption::EtaZone, PassageOption::Departure,
     static_cast<unsigned>(Planning::Route)},
};

}  // namespace

std::string_view reasonOf(Rule rule) {
    switch (rule) {
        case Rule::DeviationNeedsVariation:
            return "罗航向由磁航向减自差而来，磁航向由真航向减磁差";
        case Rule::DeviationOrCard:
            return "一个自差，或一张自差表";
        case Rule::CurrentNeedsSpeed:
            return "应驶航向和对地航速由航速算出";
        case Rule::CurrentWithLimitNeedsStep:
        case Rule::CurrentWithGreatCircleNeedsStep:
            return "流中的应驶航向按恒向线计算，而不分点的大圆航线没有恒定的航向";
        case Rule::DepartureNeedsSpeed:
            return "没有航速就没有到达时间";
        case Rule::EtaZoneNeedsDeparture:
            return "到达时间由开航时间算出";
        case Rule::CurrentNeedsTime:
            return "漂移由航时算出";
        default:
            return {};
    }
}

std::span<const Requirement> requirements() {
    return kRequirements;
}

bool GivenOptions::has(PassageOption option) const {
    switch (option) {
        case PassageOption::Variation:
            return variation;
        case PassageOption::Deviation:
            return deviation;
        case PassageOption::DeviationCard:
            return card;
        case PassageOption::Speed:
            return speed;
        case PassageOption::Hours:
            return hours;
        case PassageOption::Departure:
            return departure;
        case PassageOption::EtaZone:
            return etaZone;
        case PassageOption::Current:
            break;
    }
    return current;
}

std::optional<Rule> brokenRequirement(Planning planning, const GivenOptions& given) {
    for (const Requirement& requirement : kRequirements) {
        if ((requirement.plannings & static_cast<unsigned>(planning)) != 0 &&
            given.has(requirement.option) && !given.has(requirement.needs)) {
            return requirement.rule;
        }
    }
    return std::nullopt;
}

std::optional<Rule> brokenRouteRule(const GivenOptions& given) {
    if (const auto needed = brokenRequirement(Planning::Route, given)) {
        return needed;
    }
    if (given.deviation && given.card) {
        return Rule::DeviationOrCard;
    }
    if (given.current && given.limitLatitude && !given.step) {
        return Rule::CurrentWithLimitNeedsStep;
    }
    if (given.current && given.greatCircleLegs == true && !given.step) {
        return Rule::CurrentWithGreatCircleNeedsStep;
    }
    if (given.departure && !given.speed && given.speedColumn == false) {
        return Rule::DepartureNeedsSpeed;
    }
    return std::nullopt;
}

std::optional<Rule> brokenReckonRule(const GivenOptions& given) {
    using navigation::CourseReference;
    if (given.deviation && !given.variation) {
        return Rule::DeviationNeedsVariation;
    }
    if (given.card && !given.variation) {
        return Rule::CardNeedsVariation;
    }
    if (given.deviation && given.card) {
        return Rule::DeviationOrCard;
    }
    if (given.course == CourseReference::Magnetic && !given.variation) {
        return Rule::MagneticNeedsVariation;
    }
    if (given.course == CourseReference::Compass &&
        !(given.variation && (given.deviation || given.card))) {
        return Rule::CompassNeedsDeviation;
    }
    if (given.distance && (given.speed || given.hours)) {
        return Rule::DistanceOrSpeed;
    }
    if (given.current && !given.speed && !given.hours) {
        return Rule::CurrentNeedsTime;
    }
    if (given.distance || (given.speed && given.hours)) {
        return std::nullopt;
    }
    return given.speed   ? Rule::SpeedNeedsHours
           : given.hours ? Rule::HoursNeedSpeed
                         : Rule::RunNeeded;
}

}  // namespace orvanto::passage
