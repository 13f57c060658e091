// The front door of radar plotting (雷达标绘): a front end fills a request with own ship's motion,
// the observations of one target (or one with the target's AIS course and speed) and an action to
// work out, and gets back the plot worked through: relative and true motion, CPA, the bow crossing
// and the alterations for a passing distance, as numbers. What is wrong comes back as a kind for
// the front end to word: the command line names --target, the page its boxes.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "navigation/closest_approach.h"
#include "navigation/compass_error.h"
#include "navigation/passing_alteration.h"
#include "navigation/radar_plot.h"
#include "passage/option_rules.h"
#include "passage/plot_values.h"
#include "text/expected.h"

namespace orvanto::passage {

inline constexpr double kDefaultLimit = 2;  // nautical miles: a DCPA under it is stated

struct TargetPlotRequest {
    std::optional<TypedMotion> own;
    // In the order taken; minutes of the day as the clock shows them. A time more than twelve
    // hours before the one in front of it is on the next day: plots are minutes apart, so 00:04
    // after 23:58 is six minutes on, while 08:00 after 08:06 is a misread clock.
    std::vector<navigation::Observation> observations;
    std::optional<TypedMotion> targetMotion;  // from AIS, with one observation
    navigation::CompassCorrection correction;
    double limit = kDefaultLimit;
    std::optional<double> actionClock;  // minutes of the day, on or after the last observation's
    std::optional<double> pass;         // nautical miles
};

// Which value of a plot needs which, beside the compass rules of option_rules.h.
enum class PlotRule {
    ObservationNeeded,      // no observation of the target
    OwnMotionNeeded,        // no course and speed of own ship
    SecondObservation,      // one observation and no AIS motion of the target
    AisWithOneObservation,  // AIS motion with more than one observation
    ActionNeedsPass,        // a time of action without the distance to pass at
    PassNeedsAction,        // a distance to pass at without the time of action
};

struct TargetPlotProblem {
    enum class Kind {
        Plot,       // `plotRule` is broken
        Compass,    // the compass rule `rule`: a magnetic course without a variation, …
        TimeOrder,  // observation `observation` (from 0) is not after the one before it
    };
    Kind kind = Kind::Plot;
    PlotRule plotRule = PlotRule::ObservationNeeded;
    Rule rule = Rule::DeviationNeedsVariation;
    std::size_t observation = 0;
    bool targetCourse = false;  // the compass rule is broken by the target's course, not own's
};

// What the request gives, by its values: for the rules alone, before any value is read whole.
struct GivenPlot {
    bool own = false;
    std::optional<navigation::CourseReference> ownCourse;
    std::optional<navigation::CourseReference> targetCourse;
    std::size_t observations = 0;
    bool targetMotion = false;
    bool variation = false;
    bool deviation = false;
    bool action = false;
    bool pass = false;
};
std::optional<TargetPlotProblem> brokenPlotRule(const GivenPlot& given);
GivenPlot givenBy(const TargetPlotRequest& request);

struct TargetPlot {
    navigation::Motion own;  // true course
    navigation::RadarPlot plot;
    std::size_t observations = 0;
    double lastClock = 0;  // minutes from the first observation's midnight
    navigation::PlottedMotion relative;
    navigation::PlottedMotion truth;
    navigation::ClosestApproach cpa;
    Expected<navigation::BowCrossing, navigation::NoCrossing> bow =
        unexpected(navigation::NoCrossing::NoRelativeMotion);
    double limit = kDefaultLimit;
    std::optional<navigation::PassingAction> action;
    std::optional<navigation::Alterations> alterations;
};

Expected<TargetPlot, TargetPlotProblem> planTargetPlot(const TargetPlotRequest& request);

}  // namespace orvanto::passage
