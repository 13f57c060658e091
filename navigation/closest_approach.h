// What a plotted target's relative motion line tells: its closest point of approach (DCPA, TCPA and
// the bearing there) and where it crosses own ship's heading line, ahead or astern (BCR and BCT,
// 过船首距离和时间). Times are minutes after the last observation.
#pragma once

#include <optional>

#include "navigation/plotting_sheet.h"
#include "navigation/radar_plot.h"
#include "text/expected.h"

namespace orvanto::navigation {

// The closest point of approach on the relative motion line, as it stands at the last observation.
struct ClosestApproach {
    double dcpa = 0;  // nautical miles
    // Minutes after the last observation; negative when the closest point is behind the target,
    // which is then drawing away (正在驶离); empty without relative motion, when the target keeps
    // its range and DCPA is that range.
    std::optional<double> tcpa;
    std::optional<double> bearing;  // true, of the closest point; empty when DCPA is nil
    bool opening() const { return tcpa && *tcpa < 0; }
};

// The closest approach of a target at `position` (nautical miles) moving at `relativeVelocity`
// (knots) on the sheet; TCPA counted from that moment.
ClosestApproach closestApproach(SheetVector position, SheetVector relativeVelocity);
ClosestApproach closestApproach(const RadarPlot& plot);

enum class CrossingSide { Ahead, Astern };

// The bow crossing, as radar plotting draws it: the moment the relative motion line meets own
// ship's heading line (the line through own ship along its course, fore and aft), which is the
// moment the target passes dead ahead or dead astern of own ship; `range` is its distance from own
// ship then, on `side`. Not where the two true tracks cross on the chart: own ship is elsewhere by
// the time the target gets there.
struct BowCrossing {
    double range = 0;    // BCR, nautical miles
    double minutes = 0;  // BCT, after the last observation, 0 or more
    CrossingSide side = CrossingSide::Ahead;
};

// Why a target does not cross: it keeps its place relative to own ship; its relative motion runs
// along own ship's heading line or parallel to it; or it has crossed already, before the last
// observation (a straight line crosses once).
enum class NoCrossing { NoRelativeMotion, ParallelToHeading, AlreadyCrossed };

Expected<BowCrossing, NoCrossing> bowCrossing(const RadarPlot& plot, const Motion& own);

// DCPA, TCPA and the bow crossing at once, as closestApproach and bowCrossing give them, for tables
// of many targets: without the closest point's bearing (an arc tangent a target), and with own
// ship's heading given as a unit vector (velocityOf({course, 1})), worked out once for own velocity
// and heading line alike.
struct PassingFigures {
    double dcpa = 0;
    std::optional<double> tcpa;
    Expected<BowCrossing, NoCrossing> crossing = unexpected(NoCrossing::NoRelativeMotion);
};

PassingFigures passingFigures(const RadarPlot& plot, SheetVector heading);

}  // namespace orvanto::navigation
