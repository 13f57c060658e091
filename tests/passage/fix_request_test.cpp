// A fix's requests as every front end hands them over: each breaks the one rule named, in the order
// the command line has always told them; a running fix moves each line by the run over its own
// time to the last; the sketch's paths lie on their lines.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "navigation/position_fix.h"
#include "passage/fix_request.h"
#include "passage/fix_sketch.h"

namespace orvanto::passage {
namespace {

using Kind = FixPlanProblem::Kind;
using navigation::PositionLineKind;

FixRequest twoBearings(const char* first, const char* second) {
    FixRequest request;
    for (const char* text : {first, second}) {
        auto read = readObservation(PositionLineKind::Bearing, text, EntryMode::Minutes);
        if (read) {
            request.observations.emplace_back(read.value());
        } else {
            request.observations.emplace_back(unexpected(ObservationProblem{{}, read.error()}));
        }
    }
    return request;
}

TEST(FixRequest, EachRequestBreaksTheRuleItShould) {
    const auto run = [](FixRequest& r) { r.runGiven = true, r.run = readShipRun("000/12"); };
    const struct {
        const char* first;
        const char* second;
        std::function<void(FixRequest&)> change;
        Kind kind;
        FixRule rule;
        std::size_t observation;
    } rows[] = {
        {"3110N,12205E,045", "3105N,12210E,12x", {}, Kind::Observation, {}, 1},
        // A magnetic bearing lacks its variation before the second observation's text is read.
        {"3110N,12205E,045M", "3105N,12210E,12x", {}, Kind::Compass, {}, 0},
        {"3110N,12205E,045@08:00", "3105N,12210E,120", {}, Kind::Rule, FixRule::TimesAllOrNone, 1},
        {"3110N,12205E,045", "3105N,12210E,120", run, Kind::Rule, FixRule::RunNeedsTimes, 0},
        {"3110N,12205E,045@08:00",
         "3105N,12210E,120@08:30",
         {},
         Kind::Rule,
         FixRule::TimesNeedRun,
         0},
        {"3110N,12205E,045@08:00", "3105N,12210E,120@08:00", run, Kind::Rule,
         FixRule::RunNeedsTimeApart, 0},
        {"3110N,12205E,045", "3105N,12210E,120",
         [](FixRequest& r) {
             r.current = {90, 1};
         },
         Kind::Rule, FixRule::CurrentNeedsRun, 0},
        {"3110N,12205E,045@2026-12-08 08:00",
         "3105N,12210E,120@2026-12-07 08:30",
         run,
         Kind::Time,
         {},
         1},
        {"3110N,12205E,045@08:00",
         "3105N,12210E,120@08:30",
         [](FixRequest& r) { r.runGiven = true; },
         Kind::RunUnread,
         {},
         0},
        {"3110N,12205E,045@08:00",
         "3105N,12210E,120@08:30",
         [](FixRequest& r) { r.runGiven = true, r.run = readShipRun("000M/12"); },
         Kind::Compass,
         {},
         0},
    };
    for (const auto& row : rows) {
        FixRequest request = twoBearings(row.first, row.second);
        if (row.change) {
            row.change(request);
        }
        const auto plan = planFix(request);
        ASSERT_FALSE(plan) << row.first << " " << row.second;
        const FixPlanProblem& problem = plan.error();
        EXPECT_EQ(problem.kind, row.kind) << row.first << " " << row.second;
        if (row.kind == Kind::Rule) {
            EXPECT_EQ(problem.fixRule, row.rule) << row.first << " " << row.second;
        }
        const std::size_t at =
            row.kind == Kind::Time ? problem.time.observation : problem.observation;
        EXPECT_EQ(at, row.observation) << row.first << " " << row.second;
    }
    FixRequest one = twoBearings("3110N,12205E,045", "3105N,12210E,120");
    one.observations.pop_back();
    EXPECT_EQ(planFix(one).error().fixRule, FixRule::TwoLinesNeeded);
}

// Each line moved by the run and the drift over the hours from its time to the last, the bearings
// made true: the lines a running fix crosses.
TEST(FixRequest, RunningFixMovesEachLineOverItsOwnTime) {
    FixRequest request = twoBearings("3110N,12205E,050M@23:30", "3105N,12210E,125M@00:15");
    request.observations.emplace_back(
        readObservation(PositionLineKind::Range, "3100N,12200E,4@00:45", EntryMode::Minutes)
            .value());
    request.correction.variation = -5;
    request.runGiven = true;
    request.run = readShipRun("000/12");
    request.current = navigation::Current{90, 1};
    const auto plan = planFix(request);
    ASSERT_TRUE(plan);
    const double hours[] = {1.25, 0.5, 0};
    for (std::size_t i = 0; i < 3; ++i) {
        const navigation::PositionLine& line = plan.value().observations[i].line;
        EXPECT_DOUBLE_EQ(line.run.nauticalMiles, 12 * hours[i]) << i;
        EXPECT_DOUBLE_EQ(line.drift.nauticalMiles, hours[i]) << i;
    }
    EXPECT_DOUBLE_EQ(plan.value().observations[0].line.value, 45);
    EXPECT_EQ(plan.value().time, "00:45");
}

// A path that left its line would draw a line the fix is not on; one that stopped at its first
// step, no line at all.
TEST(FixSketch, PathsLieOnTheirLinesBothWaysFromTheCentre) {
    const ChartPoint centre{31.14, 122.05};
    navigation::PositionLine bearing{PositionLineKind::Bearing, {31.1667, 122.0833}, {}, 45};
    navigation::PositionLine range{PositionLineKind::Range, {31.0833, 122.1667}, {}, 6.5};
    navigation::PositionLine angle{
        PositionLineKind::HorizontalAngle, {31.0, 122.0}, {31.1, 122.2}, 70};
    angle.run = {0, 3};
    const navigation::PositionLine lines[] = {bearing, range, angle};
    const auto paths = linePaths(lines, centre, 4, 8);
    ASSERT_EQ(paths.size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_GE(paths[i].size(), 9U) << i;
        for (const ChartPoint& at : paths[i]) {
            const auto offset = navigation::lineOffset(lines[i], at);
            ASSERT_TRUE(offset) << i;
            EXPECT_LT(std::fabs(*offset), 1e-4) << i;
        }
        EXPECT_GT(navigation::geodesicMiles(paths[i].front(), paths[i].back()), 2) << i;
    }
}

}  // namespace
}  // namespace orvanto::passage
