// A sailed route's numbers row by row, in the order sailed: the miles since the start, each row's
// course to steer in a current and its hours, the time since the departure, and the totals, each
// summed from the rows' values as they are written so that it is the sum of its column.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "navigation/current_triangle.h"
#include "passage/passage_times.h"
#include "passage/sailed_route.h"

namespace orvanto::passage {

struct TimingSettings {
    std::optional<double> speed;  // knots for every leg whose first waypoint gives none
    bool times = false;           // rows have hours: with a speed or a speed column
    std::optional<navigation::Current> current;
    // With its offset from UTC: an arrival after 9999-12-31 fails its row.
    std::optional<Departure> departure;
};

struct RouteTotals {
    // Nautical miles: each the sum of the rows' values as written, to 0.001; nothing when no row
    // adds to it.
    std::optional<double> rhumbMiles;
    std::optional<double> greatCircleMiles;
    std::optional<double> sailedMiles;
    std::optional<double> hours;          // of every row that has its time
    std::optional<double> elapsedHours;   // when every row has its time
    std::vector<std::size_t> failedLegs;  // the legs with a problem, in order
    // The first leg without a speed, from which there is no time since the departure.
    std::optional<std::size_t> untimedLeg;
};

// Fills each row's sailedMiles, courseToSteer, speedOverGround, hours and elapsedHours, adds the
// problems that keep a row from its time, and gives the totals. A row whose distance or course is
// no number loses its courses and says so.
RouteTotals timeRoute(std::span<RouteRow> rows, const TimingSettings& settings);

}  // namespace orvanto::passage
