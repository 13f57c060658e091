// The radar plot against arithmetic of its own: ships sailed on the ground as complex numbers
// (east + i north), CPA and bow crossing worked in own ship's heading-up frame, each alteration's
// DCPA recomputed and every smaller alteration scanned for one that would have done.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "navigation/closest_approach.h"
#include "navigation/passing_alteration.h"
#include "navigation/plotting_sheet.h"
#include "navigation/radar_plot.h"

namespace orvanto::navigation {
namespace {

using Complex = std::complex<double>;
constexpr double kRadian = 180 / 3.14159265358979323846;

Complex toward(double course, double length) {
    return std::polar(length, (90 - course) / kRadian);
}
double courseOf(Complex z) {
    return std::fmod(450 - std::arg(z) * kRadian, 360);
}
// Own ship and the target sailed on the ground from `start`, the target's place relative to own
// ship at minute 0; plotted at `minutes`, or at the one with its AIS motion, and every number
// checked against the ground. What has no number, and the kinds of nones, come back as words.
std::string plotted(const Motion& own, const Motion& target, Complex start,
                    const std::vector<double>& minutes, const PassingAction& action) {
    static const char* const bowWords[] = {"ahead", "astern", "still", "parallel", "crossed"};
    static const char* const nones[] = {" early",   " still",    " past",      " wide",
                                        " stopped", " nocourse", " otherside", " nospeed"};
    const Complex targetVelocity = toward(target.course, target.speed);
    const Complex relative = targetVelocity - toward(own.course, own.speed);
    const auto at = [&](double t) { return start + relative * (t / 60); };
    std::vector<Observation> plots(minutes.size());
    for (std::size_t i = 0; i < plots.size(); ++i) {
        plots[i] = {courseOf(at(minutes[i])), std::abs(at(minutes[i])), minutes[i]};
    }
    const RadarPlot plot =
        plots.size() == 1 ? plotWithAis(plots[0], target, own) : plotObservations(plots).value();
    const PlottedMotion truth = trueMotion(plot, own);
    const ClosestApproach cpa = closestApproach(plot);
    const auto bow = bowCrossing(plot, own);
    const Alterations found = alterationsFor(plot, own, action);
    const auto word = [](const auto& m) { return std::string(m ? " ok" : nones[int(m.error())]); };
    std::string words = std::string(truth.course ? "" : "crs- ") + (cpa.tcpa ? "" : "tcpa- ") +
                        (cpa.bearing ? "" : "brg- ") +
                        bowWords[bow ? int(bow.value().side) : 2 + int(bow.error())] +
                        word(found.starboard) + word(found.port) + word(found.speed);

    // Velocities within a thousandth of a knot, positions within 0.01 nmi: course and bearing too.
    EXPECT_LT(std::abs(toward(truth.course.value_or(0), truth.speed) - targetVelocity), 1e-3);
    const Complex now = at(minutes.back());
    const double hours = -(now * std::conj(relative)).real() / (std::norm(relative) + 1e-300);
    EXPECT_NEAR(cpa.dcpa, std::abs(now + relative * hours), 0.01);
    EXPECT_NEAR(cpa.tcpa.value_or(0), hours * 60, 0.1);
    EXPECT_LT(std::abs(toward(cpa.bearing.value_or(0), cpa.dcpa) - now - relative * hours), 0.01);
    // Heading up: ahead is real, to port imaginary.
    const Complex ahead = now / toward(own.course, 1), motion = relative / toward(own.course, 1);
    const double crossing = -ahead.imag() / motion.imag(),
                 along = (ahead + motion * crossing).real();
    if (std::fabs(motion.imag()) > 0.05 * std::abs(motion) && std::fabs(crossing) > 0.01) {
        EXPECT_EQ(bow ? -1 : int(bow.error()), crossing > 0 ? -1 : int(NoCrossing::AlreadyCrossed));
        EXPECT_NEAR(bow ? bow.value().range : 0, crossing > 0 ? std::fabs(along) : 0, 0.01);
        EXPECT_NEAR(bow ? bow.value().minutes : 0, std::max(crossing, 0.0) * 60, 0.1);
        EXPECT_EQ(bow && bow.value().side == CrossingSide::Astern, crossing > 0 && along < -1e-6);
    }
    // Each alteration found passes at the distance and no smaller one would; where there is none
    // for want of a course or a speed (the last kinds), none within half a turn a side or 80 knots.
    const Complex then = at(minutes.back() + action.minutes);
    // Whether f changes sign between `first` and `last`, more than two steps inside both.
    const auto rootWithin = [](auto f, double first, double last, double step) {
        bool root = false;
        for (double x = first + 2 * step; x < last - 2 * step; x += step) {
            root = root || f(x) * f(x + step) < 0;
        }
        return root;
    };
    const auto miss = [&](double course, double speed) {
        const Complex v = targetVelocity - toward(course, speed), w = then * std::conj(v);
        return (w.real() >= 0 ? std::abs(then) : std::fabs(w.imag()) / std::abs(v)) - action.pass;
    };
    for (const int side : {1, -1}) {
        const auto& turn = side > 0 ? found.starboard : found.port;
        const auto turned = [&](double t) { return miss(own.course + side * t, own.speed); };
        EXPECT_NEAR(turn ? miss(turn.value().course, own.speed) : 0, 0, 0.01);
        const bool noCourse = !turn && turn.error() >= NoAlteration::NoCourse;
        EXPECT_FALSE(rootWithin(turned, 0, turn ? turn.value().turn : noCourse ? 180 : 0, 0.05));
    }
    const double speed = found.speed ? found.speed.value().speed : own.speed;
    const bool noSpeed = !found.speed && found.speed.error() == NoAlteration::NoSpeed;
    const double reach = noSpeed ? 80 : std::fabs(speed - own.speed);
    EXPECT_NEAR(found.speed ? miss(own.course, speed) : 0, 0, 0.01);
    EXPECT_GE(speed, 0);
    EXPECT_FALSE(rootWithin([&](double s) { return miss(own.course, s); },
                            std::max(0.0, own.speed - reach), own.speed + reach, 0.01));
    return words;
}

std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Taken an octant at a time, the directions must still be each bearing's own, bit for bit: over
// pieces, at the octants' edges and for bearings outside 0..360 or none.
TEST(RadarPlot, DirectionsAtOnceAreSheetPointsBitForBit) {
    std::vector<double> bearings = {0,
                                    45,
                                    90,
                                    180,
                                    270,
                                    315,
                                    std::nextafter(360.0, 0.0),
                                    360,
                                    -0.0,
                                    -90,
                                    1e300,
                                    std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity()};
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> bearing(-720, 1080);
    while (bearings.size() < 5000) {
        bearings.push_back(bearing(random));
    }
    std::vector<SheetVector> directions(bearings.size());
    sheetDirections(bearings, directions);
    for (std::size_t i = 0; i < bearings.size(); ++i) {
        const SheetVector alone = sheetPoint(bearings[i], 1);
        ASSERT_EQ(bitsOf(alone.east), bitsOf(directions[i].east)) << bearings[i];
        ASSERT_EQ(bitsOf(alone.north), bitsOf(directions[i].north)) << bearings[i];
    }
}

TEST(RadarPlot, AgreesWithTheGroundOnRandomTargets) {
    std::mt19937 random(41);
    auto any = [&](double a, double b) { return std::uniform_real_distribution(a, b)(random); };
    for (std::size_t run = 0; run < 400; ++run) {
        SCOPED_TRACE(run);
        const Motion own{any(0, 360), any(0, 25)}, target{any(0, 360), any(0, 25)};
        // Every other target plotted on its way to within 3 nmi of own ship at minute 0.
        const double first = run % 2 ? any(0, 20) : any(-90, -30), second = first + any(2, 6);
        std::vector<double> minutes{first, second, second + any(2, 6)};
        minutes.resize(1 + run % 3);
        const Complex start = toward(any(0, 360), run % 2 ? any(1, 12) : any(0, 3));
        plotted(own, target, start, minutes, {any(0, 20), any(0.2, 3)});
    }
}

TEST(RadarPlot, DegenerateSituationsGiveNumbersOrNamedNones) {
    const std::vector<double> ais{0}, twice{0, 6}, thrice{0, 6, 12};
    const Complex steady = toward(45, 6);  // closing on one bearing at 10 knots
    // Equal motion: the range stays, no TCPA, nothing to alter.
    EXPECT_EQ(plotted({0, 10}, {0, 10}, {3, 4}, ais, {0, 1}), "tcpa- still still still still");
    // Own ship stopped: no turn, but a speed on its heading.
    EXPECT_EQ(plotted({0, 0}, {270, 10}, {5, 0}, ais, {0, 1}), "brg- ahead stopped stopped ok");
    // A stopped target dead ahead: stopping keeps the range, so no speed passes it at 1 nmi.
    EXPECT_EQ(plotted({0, 10}, {0, 0}, {0, 5}, ais, {0, 1}), "crs- brg- parallel ok ok nospeed");
    // On a steady bearing by radar: DCPA nil; the action too late, too wide, or in the past.
    EXPECT_EQ(plotted({0, 10}, {270, 10}, steady, twice, {0, 1}), "brg- ahead ok ok ok");
    EXPECT_EQ(plotted({0, 10}, {270, 10}, steady, thrice, {40, 1}), "brg- ahead past past past");
    EXPECT_EQ(plotted({0, 10}, {270, 10}, steady, twice, {0, 5}), "brg- ahead wide wide wide");
    EXPECT_EQ(plotted({0, 10}, {270, 10}, steady, twice, {-1, 1}), "brg- ahead early early early");
    // Drawing away (正在驶离): TCPA past, the bow crossing behind it.
    EXPECT_EQ(plotted({90, 0}, {0, 10}, {1, 1}, thrice, {0, 1}), "crossed past past past");
    // A target too fast to steer round at one knot.
    EXPECT_EQ(plotted({0, 1}, {180, 20}, {0, 5}, ais, {0, 1}),
              "brg- parallel nocourse nocourse nospeed");
    // The fit: a middle plot 0.12 nmi off the line is flagged, 0.08 nmi is not.
    const Observation bent[] = {{0, 4, 0}, {3.4336, 3.0054, 6}, {0, 2, 12}},
                      fair[] = {{0, 4, 0}, {2.2906, 3.0024, 6}, {0, 2, 12}};
    EXPECT_TRUE(plotObservations(bent).value().offLine());
    EXPECT_FALSE(plotObservations(fair).value().offLine());
    const Observation once{0, 5, 0}, outOfTurn[] = {once, {0, 4, 6}, {0, 3, 6}};
    EXPECT_EQ(plotObservations({&once, 1}).error().kind, PlotProblemKind::TooFewObservations);
    EXPECT_EQ(plotObservations(outOfTurn).error().observation, 2U);
}

}  // namespace
}  // namespace orvanto::navigation
