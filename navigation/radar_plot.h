// A target plotted from radar or AIS: where it stands on the plotting sheet at the last
// observation and how it moves relative to own ship, as the watch officer plots it; with own ship's
// course and speed, the target's true course and speed (the triangle: true = relative + own).
#pragma once

#include <cstddef>
#include <span>

#include "navigation/plotting_sheet.h"
#include "text/expected.h"

namespace orvanto::navigation {

// One observation of the target: its true bearing (degrees) and range (nautical miles, 0 or more)
// from own ship, at a time in minutes counted from whatever origin the caller keeps (minutes of the
// day, say, carried past midnight); only the differences between the times count.
struct Observation {
    double bearing = 0;
    double range = 0;
    double minutes = 0;
};

// How far (nautical miles) an observation may stand off the fitted relative-motion line before the
// plots are no longer one steady motion: the target altered, or an observation was misread.
inline constexpr double kPlotLineTolerance = 0.1;

// The target's relative motion as plotted. Everything after (CPA, the bow crossing, an alteration)
// is worked from this line; a target keeps its own course and speed along it.
struct RadarPlot {
    SheetVector position;          // the target at the last observation, nautical miles
    SheetVector relativeVelocity;  // knots
    double minutes = 0;            // the time of the last observation
    double largestOffset = 0;      // nautical miles: the farthest observation from the line
    bool offLine() const { return largestOffset > kPlotLineTolerance; }
};

// Why observations give no plot: fewer than two, or a time not after the one before it (the
// observation concerned, counted from 0; two plots at one moment give no motion, and a time out of
// order is a misread clock more often than a plot taken out of turn).
enum class PlotProblemKind { TooFewObservations, TimeNotAfterPrevious };

struct PlotProblem {
    PlotProblemKind kind = PlotProblemKind::TooFewObservations;
    std::size_t observation = 0;
};

// The relative motion from two or more observations in time order. Two give the line through both;
// three or more the least-squares line of position against time (east and north each a straight
// line in time), whose point at the last time is the target's position, and largestOffset the
// farthest any observation stands from that line (from its one point when the fit does not move).
Expected<RadarPlot, PlotProblem> plotObservations(std::span<const Observation> observations);

// The relative motion from one observation and the target's own course and speed (AIS): the
// target's velocity less own ship's.
RadarPlot plotWithAis(const Observation& observation, const Motion& target, const Motion& own);

PlottedMotion relativeMotion(const RadarPlot& plot);

// The target's true course and speed: its relative velocity plus own ship's.
PlottedMotion trueMotion(const RadarPlot& plot, const Motion& own);

}  // namespace orvanto::navigation
