#include "passage/route_times.h"

#include "calculator/decimal_text.h"

namespace orvanto::passage {
namespace {

constexpr double kThousandths = 1000;

// More hours than lie between 0001-01-01 and 9999-12-31: a leg this long (a speed typed as 1e-20
// kn) arrives after the last date an arrival is written with from any departure, and its hours,
// summed over any route, would no longer fit the minutes a duration is written in.
constexpr double kLongestHours = 1e8;

// A column's sum in thousandths of a mile, each value added as it is written, so that the total
// is exactly the sum of the written column.
class MilesSum {
  public:
    void add(double miles) { units_ = units_.value_or(0) + decimalUnits(miles, kResultDecimals); }
    std::optional<double> miles() const {
        return units_ ? std::optional{static_cast<double>(*units_) / kThousandths} : std::nullopt;
    }

  private:
    std::optional<long long> units_;
};

// The row's hours, and its course to steer in a current; a problem when it has no time.
void timeRow(RouteRow& row, double miles, const TimingSettings& settings, RouteTotals& totals) {
    const std::optional<double> speed = row.speedUnreadable ? std::nullopt
                                        : row.speed         ? row.speed
                                                            : settings.speed;
    if (row.courses && !speed && !totals.untimedLeg) {
        totals.untimedLeg = row.leg;
    }
    // Read once: GCC's optimiser at -O1 loses track of the engaged check below and warns.
    const double knots = speed.value_or(0.0);
    if (!row.courses || !speed) {
        return;  // no time for the row
    }
    if (!settings.current || miles == 0) {
        row.hours = miles / knots;
    } else if (row.kind == RowKind::GreatCircle || !row.courses->rhumbCourse) {
        row.problems.push_back(RowProblem::ofLeg(RowProblem::Kind::GreatCircle, row.leg));
    } else if (const auto steering =
                   navigation::steerAgainst(*row.courses->rhumbCourse, *settings.current, knots)) {
        row.courseToSteer = steering.value().courseToSteer;
        row.speedOverGround = steering.value().speedOverGround;
        row.hours = miles / steering.value().speedOverGround;
    } else {
        RowProblem problem = RowProblem::ofLeg(RowProblem::Kind::Steering, row.leg);
        problem.steering = steering.error();
        row.problems.push_back(problem);
    }
    if (row.hours && !(*row.hours <= kLongestHours)) {
        row.hours.reset();
        row.problems.push_back(RowProblem::ofLeg(RowProblem::Kind::LateArrival, row.leg));
    }
}

}  // namespace

RouteTotals timeRoute(std::span<RouteRow> rows, const TimingSettings& settings) {
    RouteTotals totals;
    MilesSum rhumbMiles;
    MilesSum greatCircleMiles;
    MilesSum sailedMiles;
    double elapsed = 0;
    bool timed = true;  // every row so far has its time
    for (RouteRow& row : rows) {
        // A distance or course that is no number fails its row before anything adds it.
        if (row.courses && !navigation::finite(*row.courses)) {
            row.courses.reset();
            row.problems.push_back(RowProblem::ofLeg(RowProblem::Kind::NotFinite, row.leg));
        }
        double miles = 0;
        if (const auto& courses = row.courses) {
            const bool rhumb = row.kind != RowKind::GreatCircle;
            if (rhumb) {
                rhumbMiles.add(courses->rhumbMiles);
            }
            if (row.kind != RowKind::Rhumb) {
                greatCircleMiles.add(courses->greatCircleMiles);
            }
            miles = rhumb ? courses->rhumbMiles : courses->greatCircleMiles;
            sailedMiles.add(miles);
            row.sailedMiles = sailedMiles.miles();
        }
        if (settings.times) {
            timeRow(row, miles, settings, totals);
            timed = timed && row.hours;
            if (row.hours) {
                totals.hours = totals.hours.value_or(0) + *row.hours;
                elapsed += *row.hours;
            }
            if (row.hours && timed) {
                row.elapsedHours = elapsed;
                const auto& departure = settings.departure;
                if (departure &&
                    !arrivalText(departure->clock, departure->offsetMinutes.value_or(0), elapsed)) {
                    row.problems.push_back(
                        RowProblem::ofLeg(RowProblem::Kind::LateArrival, row.leg));
                }
            }
        }
        if (!row.problems.empty() &&
            (totals.failedLegs.empty() || totals.failedLegs.back() != row.leg)) {
            totals.failedLegs.push_back(row.leg);
        }
    }
    if (timed && totals.hours) {
        totals.elapsedHours = elapsed;
    }
    totals.rhumbMiles = rhumbMiles.miles();
    totals.greatCircleMiles = greatCircleMiles.miles();
    totals.sailedMiles = sailedMiles.miles();
    return totals;
}

}  // namespace orvanto::passage
