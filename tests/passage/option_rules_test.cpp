// The rules of which option needs which, as the command line, the page and Python all ask them:
// each request below breaks the one rule named, and a request that gives what is needed breaks
// none. A front end that checks in another order would tell another of two faults.
#include <gtest/gtest.h>

#include <optional>

#include "passage/option_rules.h"

namespace orvanto::passage {
namespace {

using navigation::CourseReference;

TEST(OptionRules, EachRequestBreaksTheRuleItShould) {
    const auto given = [](auto set) {
        GivenOptions options;
        set(options);
        return options;
    };
    const struct {
        std::optional<Rule> route;
        std::optional<Rule> reckon;
        GivenOptions options;
    } rows[] = {
        {Rule::DeviationNeedsVariation, Rule::DeviationNeedsVariation,
         given([](auto& o) { o.deviation = o.distance = true; })},
        {Rule::CardNeedsVariation, Rule::CardNeedsVariation,
         given([](auto& o) { o.card = o.distance = true; })},
        {Rule::DeviationOrCard, Rule::DeviationOrCard,
         given([](auto& o) { o.variation = o.deviation = o.card = o.distance = true; })},
        {Rule::CurrentNeedsSpeed, Rule::CurrentNeedsTime, given([](auto& o) { o.current = true; })},
        {Rule::CurrentWithLimitNeedsStep, std::nullopt,
         given([](auto& o) { o.current = o.speed = o.hours = o.limitLatitude = true; })},
        {std::nullopt, std::nullopt,
         given([](auto& o) { o.current = o.speed = o.hours = o.limitLatitude = o.step = true; })},
        // A departure needs a speed, or a file with a speed column once it has been read.
        {Rule::DepartureNeedsSpeed, Rule::RunNeeded,
         given([](auto& o) { o.departure = true, o.speedColumn = false; })},
        {std::nullopt, Rule::RunNeeded, given([](auto& o) { o.departure = true; })},
        {std::nullopt, Rule::RunNeeded,
         given([](auto& o) { o.departure = true, o.speedColumn = true; })},
        {Rule::EtaZoneNeedsDeparture, Rule::SpeedNeedsHours,
         given([](auto& o) { o.etaZone = o.speed = true; })},
        {std::nullopt, Rule::SpeedNeedsHours,
         given([](auto& o) { o.etaZone = o.departure = o.speed = true; })},
        {std::nullopt, Rule::SpeedNeedsHours, given([](auto& o) { o.speed = true; })},
        {std::nullopt, Rule::HoursNeedSpeed, given([](auto& o) { o.hours = true; })},
        {std::nullopt, Rule::DistanceOrSpeed, given([](auto& o) { o.distance = o.speed = true; })},
        {std::nullopt, Rule::MagneticNeedsVariation,
         given([](auto& o) { o.distance = true, o.course = CourseReference::Magnetic; })},
        {std::nullopt, Rule::CompassNeedsDeviation, given([](auto& o) {
             o.variation = o.distance = true, o.course = CourseReference::Compass;
         })},
        {std::nullopt, std::nullopt, given([](auto& o) {
             o.variation = o.deviation = o.distance = true, o.course = CourseReference::Compass;
         })},
        // A card gives a compass course its deviation too.
        {std::nullopt, std::nullopt, given([](auto& o) {
             o.variation = o.card = o.distance = true, o.course = CourseReference::Compass;
         })},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(brokenRouteRule(rows[i].options), rows[i].route) << i;
        EXPECT_EQ(brokenReckonRule(rows[i].options), rows[i].reckon) << i;
    }
}

}  // namespace
}  // namespace orvanto::passage
