// The radar plot as the front ends show it: texts typed as a watch officer types them, through the
// front door, and the printed fields against vector arithmetic of this test's own (complex numbers,
// east + i north) to the printed precision; the degenerate situations as rows, none printing NaN.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "passage/plot_values.h"
#include "passage/target_plot.h"
#include "passage/target_plot_report.h"

namespace orvanto::passage {
namespace {

using Complex = std::complex<double>;
constexpr double kDegree = 3.14159265358979323846 / 180;

Complex toward(double course, double length) {
    return std::polar(length, (90 - course) * kDegree);
}
// The smaller angle between two directions, degrees.
double apart(double a, double b) {
    return std::fabs(std::remainder(a - b, 360.0));
}

template <typename... Values>
std::string printed(const char* format, Values... values) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), format, values...);
    return text.data();
}
std::string clock(int minute) {
    return printed("%02d:%02d", minute / 60 % 24, minute % 60);
}

// The plan of the texts, and its tab-separated fields.
struct Shown {
    TargetPlot plan;
    std::vector<std::string> fields;
    std::string text;
};
Shown run(const std::string& own, const std::vector<std::string>& targets,
          const std::string& motion = {}, const std::string& action = {},
          const std::string& pass = {}) {
    TargetPlotRequest request;
    request.own = readMotion(own);
    for (const std::string& target : targets) {
        request.observations.push_back(readObservation(target).value());
    }
    request.targetMotion = motion.empty() ? std::nullopt : readMotion(motion);
    request.actionClock = action.empty() ? std::nullopt : readClockTime(action);
    request.pass = pass.empty() ? std::nullopt : readPassingDistance(pass);
    Shown result{planTargetPlot(request).value(), {}, {}};
    std::istringstream line(targetPlotReport(result.plan, {}, TableFormat::Tsv));
    for (std::string field; std::getline(line, field, '\t');) {
        result.fields.push_back(field == "\n" ? "" : field.substr(0, field.find('\n')));
    }
    result.text = targetPlotReport(result.plan, {}, TableFormat::Text);
    return result;
}

TEST(TargetPlot, PrintedFieldsAgreeWithVectorArithmetic) {
    std::mt19937 random(4141);
    auto any = [&](double a, double b) { return std::uniform_real_distribution(a, b)(random); };
    int crossings = 0;
    int alterations = 0;
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE(trial);
        // Values at the precision typed, so that this arithmetic and the plot read the same.
        const double ownCourse = std::round(any(0, 360)), ownSpeed = std::round(any(0, 20));
        const double targetCourse = std::round(any(0, 360)), targetSpeed = std::round(any(1, 20));
        const int first = static_cast<int>(any(0, 1440)), step = 3 + trial % 4;
        const int count = 1 + trial % 3;  // AIS, two plots, three plots
        const Complex own = toward(ownCourse, ownSpeed);
        const Complex relativeTruth = toward(targetCourse, targetSpeed) - own;
        if (std::abs(relativeTruth) < 1) {
            continue;  // a target keeping its range: the rows below
        }
        // Most targets closing, to within three miles of own ship.
        const Complex start =
            -relativeTruth / std::abs(relativeTruth) * any(3, 10) + toward(any(0, 360), any(0, 3));
        std::vector<std::string> texts;
        std::vector<Complex> plots;
        for (int i = 0; i < count; ++i) {
            const Complex at = start + relativeTruth * (i * step / 60.0);
            const double bearing =
                std::round(std::fmod(450 - std::arg(at) / kDegree, 360) * 10) / 10;
            const double range = std::round(std::abs(at) * 100) / 100;
            texts.push_back(printed("%.1f/%.2f@", bearing, range) + clock(first + i * step));
            plots.push_back(toward(bearing, range));
        }
        const std::string pass = printed("%.1f", any(0.5, 2.5));
        const Shown got = run(printed("%.0f/%.0f", ownCourse, ownSpeed), texts,
                              count == 1 ? printed("%.0f/%.0f", targetCourse, targetSpeed) : "",
                              clock(first + (count - 1) * step + 2), pass);
        // This test's plot: the line through the plots (equally spaced, so the least-squares
        // velocity of three is the first to the last), or the AIS velocity less own ship's.
        const double hours = step / 60.0;
        const Complex relative =
            count == 1 ? relativeTruth : (plots.back() - plots.front()) / (hours * (count - 1));
        Complex now = plots.back();
        if (count == 3) {
            now = (plots[0] + plots[1] + plots[2]) / 3.0 + relative * hours;
        }
        const Complex truth = relative + own;
        ASSERT_EQ(got.fields.size(), 13U) << got.text;
        EXPECT_NEAR(std::stod(got.fields[1]), std::abs(truth), 0.051);
        if (std::abs(truth) > 0.5) {
            EXPECT_LT(apart(std::stod(got.fields[0]), 90 - std::arg(truth) / kDegree), 0.1);
        }
        EXPECT_NEAR(std::stod(got.fields[3]), std::abs(relative), 0.051);
        const double tcpa = -(now * std::conj(relative)).real() / std::norm(relative);
        const Complex closest = now + relative * tcpa;
        EXPECT_NEAR(std::stod(got.fields[4]), std::abs(closest), 0.01);
        EXPECT_NEAR(std::stod(got.fields[5]), tcpa * 60, 0.1);
        if (std::abs(closest) > 0.05) {
            EXPECT_LT(apart(std::stod(got.fields[7]), 90 - std::arg(closest) / kDegree), 0.1);
        }
        // Heading up: ahead along the real axis, to port along the imaginary.
        const Complex ahead = now / toward(ownCourse, 1), moving = relative / toward(ownCourse, 1);
        const double crossing = -ahead.imag() / moving.imag();
        if (std::fabs(moving.imag()) > 0.1 * std::abs(moving) && crossing > 0.01) {
            ++crossings;
            EXPECT_NEAR(std::stod(got.fields[8]), (ahead + moving * crossing).real(), 0.01);
            EXPECT_NEAR(std::stod(got.fields[9]), crossing * 60, 0.1);
        }
        // Each course and speed printed passes at the distance asked, within what a tenth of a
        // degree or of a knot moves the DCPA.
        const Complex then = now + relative * (2 / 60.0);
        const auto dcpa = [&](Complex ownVelocity) {
            const Complex v = truth - ownVelocity, w = then * std::conj(v);
            return w.real() >= 0 ? std::abs(then) : std::fabs(w.imag()) / std::abs(v);
        };
        const double wanted = std::stod(pass);
        for (const std::size_t field : {10U, 11U, 12U}) {
            if (got.fields[field].empty()) {
                continue;
            }
            ++alterations;
            const double value = std::stod(got.fields[field]);
            const auto velocity = [&](double change) {
                return field == 12 ? toward(ownCourse, std::max(0.0, value + change))
                                   : toward(value + change, ownSpeed);
            };
            const double low = dcpa(velocity(-0.05)), high = dcpa(velocity(0.05));
            EXPECT_GE(wanted, std::min(low, high) - 0.01) << field << " " << got.fields[field];
            EXPECT_LE(wanted, std::max(low, high) + 0.01) << field << " " << got.fields[field];
        }
        for (const std::string& text : {got.text, got.fields.front()}) {
            EXPECT_EQ(text.find("nan"), std::string::npos) << text;
        }
    }
    EXPECT_GT(crossings, 100);
    EXPECT_GT(alterations, 300);
}

TEST(TargetPlot, DegenerateSituationsAreSaidInWords) {
    const struct {
        const char* own;
        std::vector<std::string> targets;
        const char* motion;
        const char* tsv;   // the fields after the relative motion's
        const char* said;  // a line of the text form
    } rows[] = {
        // Equal motion: the range stays, no TCPA, no crossing.
        {"000/10", {"030/5@0800"}, "000/10", "5.00\t\t\t030.0\t\t", "TCPA 无（距离保持不变）"},
        // Own ship stopped: the target's relative motion is its own.
        {"090/0", {"000/4@0800", "010/3@0806"}, "", "", "本船 090.0°T，0.0 节"},
        // A stopped target dead ahead: relative motion along the heading line.
        {"000/10",
         {"000/5@0800"},
         "000/0",
         "0.00\t30.0\t08:30\t\t\t",
         "不穿过船首线：相对运动线与本船首尾线平行"},
        // Steady bearing, closing range: DCPA nil, no bearing at CPA.
        {"000/10",
         {"045/6@0800", "045/5@0806"},
         "",
         "0.00\t30.0\t08:36\t\t0.00\t30.0",
         "DCPA 小于 2 海里，TCPA 30.0 分钟"},
        // Drawing away: TCPA past.
        {"000/10", {"180/1@0800", "180/2@0806"}, "", "", "目标正在驶离"},
        // Past midnight, the clock runs on.
        {"000/10",
         {"045/6@2358", "045/5@0004"},
         "",
         "0.00\t30.0\t00:34\t\t0.00\t30.0",
         "最后一次 00:04"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.targets.front());
        const Shown got = run(row.own, row.targets, row.motion);
        std::string tail;
        for (std::size_t i = 4; i < got.fields.size(); ++i) {
            tail += (i == 4 ? "" : "\t") + got.fields[i];
        }
        if (*row.tsv != '\0') {
            EXPECT_EQ(tail, row.tsv);
        }
        EXPECT_NE(got.text.find(row.said), std::string::npos) << got.text;
        EXPECT_EQ(got.text.find("nan"), std::string::npos) << got.text;
    }
}

TEST(TargetPlot, ReadersTakeWhatIsTypedAndRefuseTheRest) {
    EXPECT_EQ(readClockTime("08:12").value(), 492);
    EXPECT_EQ(readClockTime("０８１２").value(), 492);
    EXPECT_EQ(readClockTime("8：12：30").value(), 492.5);
    for (const char* bad : {"812", "24:00", "08:60", "08:1", "8.12", "", "08:12x"}) {
        EXPECT_FALSE(readClockTime(bad)) << bad;
    }
    const auto seen = readObservation("１２３．５／6.2海里＠08:12");
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->bearing, 123.5);
    EXPECT_EQ(seen->range, 6.2);
    for (const char* bad :
         {"123/6.2", "123M/6.2@08:12", "123/-1@08:12", "123/101@08:12", "361/1@08:12"}) {
        EXPECT_FALSE(readObservation(bad)) << bad;
    }
    EXPECT_EQ(readMotion("236M/0").value().course.reference, navigation::CourseReference::Magnetic);
    EXPECT_FALSE(readMotion("045/101"));
    EXPECT_FALSE(readPassingDistance("0"));
}

TEST(TargetPlot, RulesNameTheFirstValueMissing) {
    const auto broken = [](auto set) {
        GivenPlot given{true, navigation::CourseReference::True, std::nullopt, 2};
        set(given);
        const auto problem = brokenPlotRule(given);
        return problem ? static_cast<int>(problem->plotRule) + 10 * static_cast<int>(problem->kind)
                       : -1;
    };
    EXPECT_EQ(broken([](auto&) {}), -1);
    EXPECT_EQ(broken([](auto& g) { g.own = false; }), static_cast<int>(PlotRule::OwnMotionNeeded));
    EXPECT_EQ(broken([](auto& g) { g.observations = 0; }),
              static_cast<int>(PlotRule::ObservationNeeded));
    EXPECT_EQ(broken([](auto& g) { g.observations = 1; }),
              static_cast<int>(PlotRule::SecondObservation));
    EXPECT_EQ(broken([](auto& g) { g.targetMotion = true; }),
              static_cast<int>(PlotRule::AisWithOneObservation));
    EXPECT_EQ(broken([](auto& g) { g.pass = true; }), static_cast<int>(PlotRule::PassNeedsAction));
    EXPECT_EQ(broken([](auto& g) { g.ownCourse = navigation::CourseReference::Magnetic; }), 10);
}

}  // namespace
}  // namespace orvanto::passage
