// The front door of a fix from landmarks (陆标定位, 移线定位): a front end reads each observation
// its own way (a command-line option's text, a row of boxes) and hands them over in the order
// observed, with the run, the current and the dead reckoning; it gets back the lines of position,
// their bearings true and each transferred to the time of the last observation, or the first
// thing wrong as a kind for it to word: the command line names --run, the page its 船速航向 boxes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "navigation/compass_error.h"
#include "navigation/current_triangle.h"
#include "passage/fix_observations.h"
#include "passage/option_rules.h"
#include "text/expected.h"

namespace orvanto::passage {

struct FixRequest {
    // Each as read, or what did not read; checked in this order, so that the first problem told is
    // that of the first observation wrong.
    std::vector<Expected<ReadObservation, ObservationProblem>> observations;
    bool runGiven = false;
    std::optional<ShipRun> run;  // nothing with runGiven: it did not read
    std::optional<navigation::Current> current;
    std::optional<Expected<ChartPoint, ObservationProblem>> deadReckoning;
    navigation::CompassCorrection correction;
};

// Which value of a fix needs which, beside the compass rules of option_rules.h.
enum class FixRule {
    TwoLinesNeeded,     // fewer than two observations
    TimesAllOrNone,     // some observations have a time and some not
    CurrentNeedsRun,    // a current without the ship's run
    RunNeedsTimes,      // a run, and observations without times
    TimesNeedRun,       // observations at different times, and no run
    RunNeedsTimeApart,  // a run, and every observation at one time
};

struct FixPlanProblem {
    enum class Kind {
        Rule,         // `fixRule` is broken
        Observation,  // observation `observation` (from 0) did not read: `read` says where
        Compass,      // the compass rule `rule`, by a bearing of `observation` or the run's course
        DeadReckoning,  // the dead reckoning did not read: `read`
        Time,           // the times do not run on: `time`
        RunUnread,      // the run was given but did not read
    };
    Kind kind = Kind::Rule;
    FixRule fixRule = FixRule::TwoLinesNeeded;
    Rule rule = Rule::DeviationNeedsVariation;
    std::size_t observation = 0;
    bool runCourse = false;  // the compass rule is broken by the run's course, not a bearing
    ObservationProblem read;
    TimeProblem time;
};

struct PlannedFix {
    std::vector<ReadObservation> observations;  // bearings true, each line moved by its run
    std::optional<ChartPoint> deadReckoning;
    std::string time;  // of the fix, the last observation's; empty without times
};

Expected<PlannedFix, FixPlanProblem> planFix(const FixRequest& request);

}  // namespace orvanto::passage
