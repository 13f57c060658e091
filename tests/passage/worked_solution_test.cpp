// The textbook's worked solutions: examples worked by hand, line for line, and every number shown
// read back from the text and checked against sums done another way (the meridional parts by the
// textbook's series, the great circle and its vertex and 分点 by GeographicLib on the sphere).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <random>
#include <sstream>
#include <string>

#include "navigation/great_circles.h"
#include "navigation/mercator_sailing.h"
#include "navigation/worked_sailings.h"
#include "passage/quadrantal_course.h"
#include "passage/worked_solution_text.h"

namespace orvanto::passage {
namespace {

using navigation::SailingMethod;

constexpr double kDegree = std::numbers::pi / 180;

ChartPoint at(double latitudeDegrees, double latitudeMinutes, double longitudeDegrees,
              double longitudeMinutes) {
    return {latitudeDegrees + latitudeMinutes / 60, longitudeDegrees + longitudeMinutes / 60};
}

std::string contentsOf(const std::string& text, const std::vector<std::string>& lines) {
    std::string missing;
    for (const std::string& line : lines) {
        if (text.find("  " + line + "\n") == std::string::npos) {
            missing += line + "\n";
        }
    }
    return missing;
}

TEST(WorkedSolution, ExamplesWorkedByHand) {
    const struct {
        std::string work;
        std::vector<std::string> lines;
    } rows[] = {
        // The book's Mercator example. DLat 37.0′S, DLong 57.3′E; MP 1898.27′ and 1855.76′;
        // tan C = 57.30 / 42.51 gives S53°25.7′E, and 37.00 sec 53°25.7′ = 62.099. The book rounds
        // the course to S53°26′E before it divides: 37.00 / cos 53°26′ = 62.106, printed 62.11.
        // The full-precision answer is 62.099, and that is what the last line must say.
        {legWork(at(30, 18.6, 122, 0), at(29, 41.6, 122, 57.3), std::nullopt),
         {"纬差 DLat = φ2 − φ1 = 37.00′S", "经差 DLong = λ2 − λ1 = 57.30′E",
          "纬度渐长率 MP1 = 1898.27′", "纬度渐长率 MP2 = 1855.76′",
          "渐长纬差 DMP = MP2 − MP1 = 42.51′S", "tan C = DLong / DMP = 57.30 / 42.51 = 1.347914",
          "航向 C = S53°25.7′E = 126.6°", "航程 S = DLat · sec C = 62.099 海里"}},
        // Near 090: DLat 10′ says little, the departure 480.0 cos 30°05′ = 415.34′ gives the
        // distance over sin 88°37.7′.
        {legWork(at(30, 0, 122, 0), at(30, 10, 130, 0), std::nullopt),
         {"航向 C = N88°37.7′E = 088.6°", "中分纬度 φm = (φ1 + φ2) / 2 = 30°05.00′N",
          "东西距 Dep = DLong · cos φm = 415.34′E", "航程 S = Dep / sin C = 415.462 海里"}},
        // The great circle from 40°N 150°E to 45°N 170°W, 分点 every 10°: co-latitudes 50° and
        // 45°, DLong 40°E; cos D = sin 40 sin 45 + cos 40 cos 45 cos 40 = 0.869467, D = 29°36.20′;
        // tan C = 0.642788 / 0.273641; cos φv = cos 40 sin 66.94° = 0.7048, φv = 45°11.03′N,
        // 33°30.96′
        // east of the start; at 160°E tan φ = tan 45°11.03′ cos(160 + 176.48) and so on.
        {legWork(at(40, 0, 150, 0), at(45, 0, -170, 0), navigation::WaypointStep{true, 10, 0}),
         {"起点余纬 90° − φ1 = 50°00.00′", "终点余纬 90° − φ2 = 45°00.00′",
          "经差 DLong = λ2 − λ1 = 40°00.00′E",
          "cos D = sin φ1 · sin φ2 + cos φ1 · cos φ2 · cos DLong = 0.869467",
          "大圆距离 D = 29°36.20′ = 1776.196 海里",
          std::string{"tan C = sin DLong / (cos φ1 · tan φ2 − sin φ1 · cos DLong) = "} +
              "0.642788 / 0.273641 = 2.349022",
          "初始航向 C = N66°56.4′E = 066.9°", "顶点纬度 cos φv = cos φ1 · sin C，φv = 45°11.03′N",
          "顶点经差 tan DLo_v = 1 / (sin φ1 · tan C)，DLo_v = 33°30.96′E",
          "顶点 λv = λ1 + DLo_v = 176°29.04′W",
          "分点1 λ = 160°00.00′E：tan φ = tan φv · cos(λ − λv)，φ = 42°42.15′N",
          "分点2 λ = 170°00.00′E：tan φ = tan φv · cos(λ − λv)，φ = 44°22.76′N",
          "分点3 λ = 180°00.00′E：tan φ = tan φv · cos(λ − λv)，φ = 45°07.79′N"}},
        // 100 miles on 045 from 30°N 122°E: DLat = Dep = 70.71′; MP 1876.86′ to 1958.60′, and
        // DLong = 81.74′ · tan 45°.
        {reckoningWork(*navigation::reckoningSteps({30, 122}, {45, 100})),
         {"纬差 DLat = S · cos C = 70.71′N", "东西距 Dep = S · sin C = 70.71′E",
          "到达纬度 φ2 = φ1 + DLat = 31°10.71′N", "渐长纬差 DMP = MP2 − MP1 = 81.74′N",
          "经差 DLong = DMP · tan C = 81.74′E", "到达经度 λ2 = λ1 + DLong = 123°21.74′E"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(contentsOf(row.work, row.lines), "") << row.work;
    }
}

// A shown value read back: "37.00′S" is −37, "45°11.03′N" 45.18…, "62.099 海里" 62.099.
double shownValue(const std::string& text) {
    std::istringstream in{text};
    double value = 0;
    in >> value;
    std::string rest;
    std::getline(in, rest);
    if (rest.starts_with("°")) {
        std::istringstream minutes{rest.substr(std::string{"°"}.size())};
        double parts = 0;
        minutes >> parts;
        value += parts / 60;
    }
    const char side = text.back();
    return side == 'S' || side == 'W' ? -value : value;
}

// Each step's formula and value, the text after its first " = ", by the words before it.
std::map<std::string, std::string> stepsOf(const std::string& work) {
    std::map<std::string, std::string> steps;
    std::istringstream lines{work};
    for (std::string line; std::getline(lines, line);) {
        const std::size_t first = line.find(" = ");
        if (line.starts_with("  ") && first != std::string::npos) {
            steps[line.substr(2, first - 2)] = line.substr(first + 3);
        }
    }
    return steps;
}

// The meridional parts as the textbook's tables are computed, by the series in the eccentricity.
double tabulatedParts(double latitude) {
    const double flattening = 1 / 298.257223563;
    const double e2 = flattening * (2 - flattening);
    const double s = std::sin(latitude * kDegree);
    const double series = e2 * s + e2 * e2 * std::pow(s, 3) / 3 +
                          std::pow(e2, 3) * std::pow(s, 5) / 5 +
                          std::pow(e2, 4) * std::pow(s, 7) / 7;
    return 10800 / std::numbers::pi * (std::log(std::tan((45 + latitude / 2) * kDegree)) - series);
}

// Within half the last shown digit of `exact`, with room for the sums done another way; a
// longitude the same around the circle.
void expectShown(const std::map<std::string, std::string>& steps, const std::string& name,
                 double exact, double halfDigit, bool longitude = false) {
    const auto step = steps.find(name);
    ASSERT_NE(step, steps.end()) << name;
    // The value is the last of the line: "φ2 − φ1 = 37.00′S".
    const std::size_t last = step->second.rfind(" = ");
    const double shown =
        shownValue(last == std::string::npos ? step->second : step->second.substr(last + 3));
    const double off = longitude ? std::remainder(shown - exact, 360.0) : shown - exact;
    EXPECT_LE(std::fabs(off), halfDigit + 1e-9 * std::fabs(exact) + 2e-6)
        << name << " " << step->second << " against " << exact;
}

double differenceOfCourses(double a, double b) {
    return std::fabs(std::remainder(a - b, 360.0));
}

TEST(WorkedSolution, EveryShownNumberAgainstSumsDoneAnotherWay) {
    std::mt19937 random{20261208};
    std::uniform_real_distribution<double> latitude{-75, 75};
    std::uniform_real_distribution<double> longitude{-180, 180};
    std::uniform_real_distribution<double> distance{1, 1500};
    constexpr double kHalfMinute = 0.005 / 60;  // degrees, for angles shown to 0.01′
    constexpr double kHalfTenth = 0.05 + 1e-9;  // courses shown to 0.1°
    const navigation::WaypointStep every{true, 10, 0};
    for (int i = 0; i < 300; ++i) {
        const ChartPoint from{latitude(random), longitude(random)};
        ChartPoint to{latitude(random), longitude(random)};
        if (i % 3 == 0) {  // nearly east or west, where middle-latitude sailing takes over
            to = {from.latitude + latitude(random) / 150, from.longitude + (i % 2 ? 20 : -20)};
        }
        SCOPED_TRACE(legWork(from, to, every));
        const double dlong = std::remainder(to.longitude - from.longitude, 360.0);
        const double parts = tabulatedParts(to.latitude) - tabulatedParts(from.latitude);
        const auto rhumb = navigation::mercatorSailing(from, to);
        const auto mercator = stepsOf(mercatorWork(*navigation::mercatorSteps(from, to)));
        expectShown(mercator, "纬差 DLat", (to.latitude - from.latitude) * 60, 0.005);
        expectShown(mercator, "经差 DLong", dlong * 60, 0.005);
        expectShown(mercator, "纬度渐长率 MP1", tabulatedParts(from.latitude), 0.005);
        expectShown(mercator, "纬度渐长率 MP2", tabulatedParts(to.latitude), 0.005);
        expectShown(mercator, "渐长纬差 DMP", parts, 0.005);
        const double tangent = std::fabs(dlong * 60 / parts);
        expectShown(mercator, "tan C", tangent, 5e-7 + tangent * 2e-6 / std::fabs(parts));
        expectShown(mercator, "航程 S", rhumb.run.nauticalMiles, 0.0005);
        // The course both ways: its quadrantal form read back, and 000–360.
        const std::string course = mercator.at("航向 C");
        const auto quadrantal = readQuadrantalCourse(course.substr(0, course.find(' ')));
        ASSERT_TRUE(quadrantal) << course;
        EXPECT_LE(differenceOfCourses(*quadrantal, rhumb.run.course), 0.05 / 60 + 1e-9) << course;
        EXPECT_LE(
            differenceOfCourses(shownValue(course.substr(course.rfind(' ') + 1)), rhumb.run.course),
            kHalfTenth)
            << course;
        if (rhumb.middleLatitude) {
            const double middle = (from.latitude + to.latitude) / 2;
            expectShown(mercator, "中分纬度 φm", middle, kHalfMinute);
            expectShown(mercator, "东西距 Dep", dlong * 60 * std::cos(middle * kDegree), 0.005);
        }
        // The great circle on the sphere of 1′ = 1 nautical mile, by GeographicLib.
        const auto sums = navigation::greatCircleSteps(from, to, every);
        ASSERT_TRUE(sums);
        const auto circle = stepsOf(greatCircleWork(*sums));
        const auto measured = navigation::greatCircleBetween(from, to, SailingMethod::Textbook);
        expectShown(circle, "起点余纬 90° − φ1", 90 - from.latitude, kHalfMinute);
        expectShown(circle, "经差 DLong", dlong, kHalfMinute);
        expectShown(circle, "cos D", std::cos(measured.nauticalMiles / 60 * kDegree), 5e-7);
        expectShown(circle, "大圆距离 D", measured.nauticalMiles, 0.0005);
        const std::string initial = circle.at("初始航向 C");
        EXPECT_LE(differenceOfCourses(shownValue(initial.substr(initial.rfind(' ') + 1)),
                                      measured.initialCourse),
                  kHalfTenth)
            << initial;
        const auto vertex = navigation::vertexAhead(from, to, SailingMethod::Textbook);
        ASSERT_TRUE(vertex);
        expectShown(circle, "顶点纬度 cos φv", vertex->position.latitude, kHalfMinute);
        expectShown(circle, "顶点 λv", vertex->position.longitude, kHalfMinute, true);
        const auto waypoints =
            navigation::greatCircleWaypoints(from, to, every, SailingMethod::Textbook);
        ASSERT_TRUE(waypoints);
        ASSERT_EQ(sums->waypoints.size(), waypoints.value().size());
        for (std::size_t k = 0; k < waypoints.value().size(); ++k) {
            expectShown(circle, "分点" + std::to_string(k + 1) + " λ",
                        waypoints.value()[k].latitude, kHalfMinute);
        }
        // Reckoned along the rhumb line: where mercatorReckoning arrives.
        const navigation::Run run{rhumb.run.course, distance(random)};
        const auto reckoning = navigation::reckoningSteps(from, run);
        const auto reached = navigation::mercatorReckoning(from, run);
        ASSERT_EQ(reckoning.has_value(), reached.has_value());
        if (reached) {
            const auto reckoned = stepsOf(reckoningWork(*reckoning));
            expectShown(reckoned, "纬差 DLat", run.nauticalMiles * std::cos(run.course * kDegree),
                        0.005);
            expectShown(reckoned, "东西距 Dep", run.nauticalMiles * std::sin(run.course * kDegree),
                        0.005);
            expectShown(reckoned, "到达纬度 φ2", reached->latitude, kHalfMinute);
            expectShown(reckoned, "到达经度 λ2", reached->longitude, kHalfMinute, true);
        }
    }
}

}  // namespace
}  // namespace orvanto::passage
