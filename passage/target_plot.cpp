#include "passage/target_plot.h"

namespace orvanto::passage {
namespace {

using navigation::CourseReference;

constexpr double kMinutesInDay = 1440;
constexpr double kHalfDay = kMinutesInDay / 2;

// A clock time carried onto the day that puts it least before `previous`, within half a day.
double carried(double clock, double previous) {
    while (clock < previous - kHalfDay) {
        clock += kMinutesInDay;
    }
    return clock;
}

TargetPlotProblem plotProblem(PlotRule rule) {
    return {TargetPlotProblem::Kind::Plot, rule};
}

TargetPlotProblem compassProblem(Rule rule) {
    return {TargetPlotProblem::Kind::Compass, PlotRule::ObservationNeeded, rule};
}

// The compass rule a course breaks, if any.
std::optional<Rule> courseRule(std::optional<CourseReference> course, const GivenPlot& given) {
    if (course == CourseReference::Magnetic && !given.variation) {
        return Rule::MagneticNeedsVariation;
    }
    if (course == CourseReference::Compass && !(given.variation && given.deviation)) {
        return Rule::CompassNeedsDeviation;
    }
    return std::nullopt;
}

}  // namespace

std::optional<TargetPlotProblem> brokenPlotRule(const GivenPlot& given) {
    GivenOptions compass;
    compass.variation = given.variation;
    compass.deviation = given.deviation;
    if (const auto rule = brokenRequirement(Planning::Plot, compass)) {
        return compassProblem(*rule);
    }
    if (!given.own) {
        return plotProblem(PlotRule::OwnMotionNeeded);
    }
    if (const auto rule = courseRule(given.ownCourse, given)) {
        return compassProblem(*rule);
    }
    if (const auto rule = courseRule(given.targetCourse, given)) {
        TargetPlotProblem problem = compassProblem(*rule);
        problem.targetCourse = true;
        return problem;
    }
    if (given.observations == 0) {
        return plotProblem(PlotRule::ObservationNeeded);
    }
    if (given.targetMotion && given.observations > 1) {
        return plotProblem(PlotRule::AisWithOneObservation);
    }
    if (!given.targetMotion && given.observations == 1) {
        return plotProblem(PlotRule::SecondObservation);
    }
    if (given.action != given.pass) {
        return plotProblem(given.action ? PlotRule::ActionNeedsPass : PlotRule::PassNeedsAction);
    }
    return std::nullopt;
}

GivenPlot givenBy(const TargetPlotRequest& request) {
    GivenPlot given;
    given.own = request.own.has_value();
    if (request.own) {
        given.ownCourse = request.own->course.reference;
    }
    if (request.targetMotion) {
        given.targetCourse = request.targetMotion->course.reference;
    }
    given.observations = request.observations.size();
    given.targetMotion = request.targetMotion.has_value();
    given.variation = request.correction.variation.has_value();
    given.deviation = request.correction.deviation.has_value();
    given.action = request.actionClock.has_value();
    given.pass = request.pass.has_value();
    return given;
}

Expected<TargetPlot, TargetPlotProblem> planTargetPlot(const TargetPlotRequest& request) {
    if (const auto problem = brokenPlotRule(givenBy(request))) {
        return unexpected(*problem);
    }
    std::vector<navigation::Observation> observations = request.observations;
    for (std::size_t i = 1; i < observations.size(); ++i) {
        observations[i].minutes = carried(observations[i].minutes, observations[i - 1].minutes);
    }
    TargetPlot plan;
    plan.own = {*request.correction.trueCourse(request.own->course), request.own->speed};
    plan.observations = observations.size();
    plan.limit = request.limit;
    if (request.targetMotion) {
        const navigation::Motion target{
            *request.correction.trueCourse(request.targetMotion->course),
            request.targetMotion->speed};
        plan.plot = navigation::plotWithAis(observations.front(), target, plan.own);
    } else {
        auto plotted = navigation::plotObservations(observations);
        if (!plotted) {
            return unexpected(
                TargetPlotProblem{TargetPlotProblem::Kind::TimeOrder, PlotRule::ObservationNeeded,
                                  Rule::DeviationNeedsVariation, plotted.error().observation});
        }
        plan.plot = plotted.value();
    }
    plan.lastClock = observations.back().minutes;
    plan.relative = navigation::relativeMotion(plan.plot);
    plan.truth = navigation::trueMotion(plan.plot, plan.own);
    plan.cpa = navigation::closestApproach(plan.plot);
    plan.bow = navigation::bowCrossing(plan.plot, plan.own);
    if (request.actionClock) {
        // An action up to half a day before the last plot is a mistake the plot tells of
        // (ActionBeforePlot), not a time on the next day.
        const double at = carried(*request.actionClock, plan.lastClock);
        plan.action = navigation::PassingAction{at - plan.lastClock, *request.pass};
        plan.alterations = navigation::alterationsFor(plan.plot, plan.own, *plan.action);
    }
    return plan;
}

}  // namespace orvanto::passage
