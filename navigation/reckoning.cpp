#include "navigation/reckoning.h"

#include <cmath>

#include "navigation/great_circles.h"
#include "navigation/measures.h"
#include "navigation/rhumb_lines.h"

namespace orvanto::navigation {

Expected<Reckoning, SailingProblem> reckon(const ChartPoint& start, const Run& run,
                                           SailingMethod method) {
    const std::optional<ChartPoint> rhumb = sailRhumbLine(start, run, method);
    if (!rhumb && std::fabs(start.latitude) == kPoleLatitude) {
        return unexpected(SailingProblem::RhumbLineOffPole);
    }
    if (!rhumb) {
        return unexpected(SailingProblem::RhumbLinePastPole);
    }
    const Arrival arrival = sailGreatCircle(start, run, method);
    ChartPoint greatCircle = arrival.position;
    greatCircle.longitude = wrappedLongitude(greatCircle.longitude);
    return Reckoning{*rhumb, greatCircle, arrival.course};
}

}  // namespace orvanto::navigation
