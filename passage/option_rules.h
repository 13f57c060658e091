// Which option of a passage needs which: the one place these rules and their reasons stand. A
// front end asks which rule its request breaks, then says it in its own words: the command line
// names --speed, the page its 航速（节） box, Python speed=.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "navigation/compass_error.h"

namespace orvanto::passage {

enum class Rule {
    DeviationNeedsVariation,          // a deviation (自差) without a variation (磁差)
    CardNeedsVariation,               // a deviation card without a variation
    DeviationOrCard,                  // one deviation, or a card, not both
    CurrentNeedsSpeed,                // a route's current without a speed
    CurrentWithLimitNeedsStep,        // a route's current and limiting latitude without 分点
    CurrentWithGreatCircleNeedsStep,  // a current and legs to sail by the great circle, no 分点
    DepartureNeedsSpeed,              // a departure without a speed, nor a speed column
    EtaZoneNeedsDeparture,            // a route's clock of arrivals without a departure
    SpeedNeedsHours,                  // a reckoning's speed without its hours
    HoursNeedSpeed,                   // a reckoning's hours without its speed
    CurrentNeedsTime,                 // a reckoning's current without a speed and hours
    MagneticNeedsVariation,           // a magnetic course without a variation
    CompassNeedsDeviation,            // a compass course without a variation and a deviation
    DistanceOrSpeed,                  // a reckoning's distance, or its speed and hours, not both
    RunNeeded,                        // a reckoning without a distance, nor a speed and hours
};

// Why the rule holds, for the front ends that give the reason ("没有航速就没有到达时间"); empty for
// a rule that needs none.
std::string_view reasonOf(Rule rule);

// What is planned: a leg's courses, a route, a reckoning, a batch's course columns, or a radar
// plot.
enum class Planning : unsigned {
    Course = 1U << 0U,
    Route = 1U << 1U,
    Reckon = 1U << 2U,
    CourseColumns = 1U << 3U,
    Plot = 1U << 4U,  // a radar plot's courses
};

enum class PassageOption {
    Variation,
    Deviation,
    DeviationCard,
    Speed,
    Hours,
    Current,
    Departure,
    EtaZone,
};

// One option that needs another wherever it is taken in the plannings given (a set of Planning
// bits): a deviation needs a variation, a reckoning's speed its hours.
struct Requirement {
    Rule rule;
    PassageOption option;
    PassageOption needs;
    unsigned plannings;
};

std::span<const Requirement> requirements();

// What a request gives, by the options and values it has.
struct GivenOptions {
    bool variation = false;
    bool deviation = false;
    bool card = false;
    bool speed = false;
    // The waypoint file has a speed column, a leg to sail by the great circle; nothing before the
    // file has been read.
    std::optional<bool> speedColumn;
    std::optional<bool> greatCircleLegs;
    bool hours = false;
    bool distance = false;
    bool departure = false;
    bool etaZone = false;  // a clock of arrivals other than the departure's
    bool current = false;
    bool step = false;
    bool limitLatitude = false;
    // A reckoning's course and the north it is counted from; nothing before it has been read.
    std::optional<navigation::CourseReference> course;

    bool has(PassageOption option) const;
};

// The first rule broken: of the requirements of the planning, in their order; of a route, those
// and then a deviation or a card, the current with a limiting latitude, and once the file has been
// read the current with great-circle legs and the departure; of a reckoning, the compass
// correction's, then its course's, then its run's (there its current needs a speed or hours, and
// the speed and the hours each other).
std::optional<Rule> brokenRequirement(Planning planning, const GivenOptions& given);
std::optional<Rule> brokenRouteRule(const GivenOptions& given);
std::optional<Rule> brokenReckonRule(const GivenOptions& given);

}  // namespace orvanto::passage
