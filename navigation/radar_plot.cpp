#include "navigation/radar_plot.h"

#include <algorithm>
#include <cmath>

namespace orvanto::navigation {
namespace {

// The distance of a point `away` from a point on a line along `direction` from that line, or from
// the point itself when the line has no direction.
double offset(SheetVector away, SheetVector direction) {
    const double speed = length(direction);
    return speed < kStillKnots ? length(away) : std::fabs(cross(direction, away)) / speed;
}

}  // namespace

Expected<RadarPlot, PlotProblem> plotObservations(std::span<const Observation> observations) {
    if (observations.size() < 2) {
        return unexpected(PlotProblem{PlotProblemKind::TooFewObservations, observations.size()});
    }
    for (std::size_t i = 1; i < observations.size(); ++i) {
        if (!(observations[i].minutes > observations[i - 1].minutes)) {
            return unexpected(PlotProblem{PlotProblemKind::TimeNotAfterPrevious, i});
        }
    }
    // Least squares about the means: the slope of each coordinate against time is the velocity.
    // With two observations this is the line through both.
    const auto count = static_cast<double>(observations.size());
    double meanMinutes = 0;
    SheetVector mean;
    for (const Observation& seen : observations) {
        meanMinutes += seen.minutes / count;
        mean = mean + (1 / count) * sheetPoint(seen.bearing, seen.range);
    }
    double spread = 0;
    SheetVector moment;
    for (const Observation& seen : observations) {
        const double dt = seen.minutes - meanMinutes;
        spread += dt * dt;
        moment = moment + dt * (sheetPoint(seen.bearing, seen.range) - mean);
    }
    // Nautical miles a minute to knots.
    const SheetVector velocity = (kMinutesPerHour / spread) * moment;
    const double last = observations.back().minutes;
    RadarPlot plot{mean + ((last - meanMinutes) / kMinutesPerHour) * velocity, velocity, last};
    for (const Observation& seen : observations) {
        plot.largestOffset = std::max(
            plot.largestOffset, offset(sheetPoint(seen.bearing, seen.range) - mean, velocity));
    }
    return plot;
}

RadarPlot plotWithAis(const Observation& observation, const Motion& target, const Motion& own) {
    return {sheetPoint(observation.bearing, observation.range),
            velocityOf(target) - velocityOf(own), observation.minutes};
}

PlottedMotion relativeMotion(const RadarPlot& plot) {
    return motionOf(plot.relativeVelocity);
}

PlottedMotion trueMotion(const RadarPlot& plot, const Motion& own) {
    return motionOf(plot.relativeVelocity + velocityOf(own));
}

}  // namespace orvanto::navigation
