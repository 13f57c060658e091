#include "passage/fix_request.h"

namespace orvanto::passage {
namespace {

constexpr double kMinutesPerHour = 60;

FixPlanProblem ruleProblem(FixRule rule) {
    FixPlanProblem problem;
    problem.fixRule = rule;
    return problem;
}

// The compass rule a bearing or a course of the run breaks: the reckoning's, as its course.
std::optional<Rule> courseRule(const navigation::CompassCorrection& correction,
                               navigation::CourseReference reference) {
    GivenOptions given;
    given.variation = correction.variation.has_value();
    given.deviation = correction.deviation.has_value();
    given.course = reference;
    given.distance = true;
    return brokenReckonRule(given);
}

FixPlanProblem compassProblem(Rule rule, std::size_t observation, bool runCourse) {
    FixPlanProblem problem;
    problem.kind = FixPlanProblem::Kind::Compass;
    problem.rule = rule;
    problem.observation = observation;
    problem.runCourse = runCourse;
    return problem;
}

}  // namespace

Expected<PlannedFix, FixPlanProblem> planFix(const FixRequest& request) {
    if (request.observations.size() < 2) {
        return unexpected(ruleProblem(FixRule::TwoLinesNeeded));
    }
    PlannedFix plan;
    std::vector<ObservationTime> times;
    for (std::size_t i = 0; i < request.observations.size(); ++i) {
        const auto& read = request.observations[i];
        if (!read) {
            FixPlanProblem problem;
            problem.kind = FixPlanProblem::Kind::Observation;
            problem.observation = i;
            problem.read = read.error();
            return unexpected(problem);
        }
        ReadObservation seen = read.value();
        if (seen.bearing) {
            if (const auto rule = courseRule(request.correction, seen.bearing->reference)) {
                return unexpected(compassProblem(*rule, i, false));
            }
            seen.line.value = *request.correction.trueCourse(*seen.bearing);
        }
        if (i > 0 && seen.time.has_value() != plan.observations.front().time.has_value()) {
            FixPlanProblem problem = ruleProblem(FixRule::TimesAllOrNone);
            problem.observation = i;
            return unexpected(problem);
        }
        if (seen.time) {
            times.push_back(*seen.time);
        }
        plan.observations.push_back(seen);
    }
    if (request.current && !request.runGiven) {
        return unexpected(ruleProblem(FixRule::CurrentNeedsRun));
    }
    if (request.deadReckoning) {
        if (!*request.deadReckoning) {
            FixPlanProblem problem;
            problem.kind = FixPlanProblem::Kind::DeadReckoning;
            problem.read = request.deadReckoning->error();
            return unexpected(problem);
        }
        plan.deadReckoning = request.deadReckoning->value();
    }
    if (times.empty()) {
        if (request.runGiven) {
            return unexpected(ruleProblem(FixRule::RunNeedsTimes));
        }
        return plan;
    }
    plan.time = times.back().text;
    const auto minutes = elapsedMinutes(times);
    if (!minutes) {
        FixPlanProblem problem;
        problem.kind = FixPlanProblem::Kind::Time;
        problem.time = minutes.error();
        return unexpected(problem);
    }
    const double total = minutes.value().back();
    if (!request.runGiven) {
        if (total > 0) {
            return unexpected(ruleProblem(FixRule::TimesNeedRun));
        }
        return plan;
    }
    if (total == 0) {
        return unexpected(ruleProblem(FixRule::RunNeedsTimeApart));
    }
    if (!request.run) {
        FixPlanProblem problem;
        problem.kind = FixPlanProblem::Kind::RunUnread;
        return unexpected(problem);
    }
    if (const auto rule = courseRule(request.correction, request.run->course.reference)) {
        return unexpected(compassProblem(*rule, 0, true));
    }
    // Each line moved by the run from its time to the last's: 移线.
    const double course = *request.correction.trueCourse(request.run->course);
    for (std::size_t i = 0; i < plan.observations.size(); ++i) {
        const double hours = (total - minutes.value()[i]) / kMinutesPerHour;
        navigation::PositionLine& line = plan.observations[i].line;
        line.run = {course, request.run->speed * hours};
        if (request.current) {
            line.drift = {request.current->set, request.current->drift * hours};
        }
    }
    return plan;
}

}  // namespace orvanto::passage
