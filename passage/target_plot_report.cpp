#include "passage/target_plot_report.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "passage/course_report.h"
#include "passage/course_text.h"

namespace orvanto::passage {
namespace {

using navigation::NoAlteration;
using navigation::NoCrossing;

constexpr double kMinutesInDay = 1440;
constexpr double kMinutesInHour = 60;

// `decimals` places, rounded as printf rounds; never "-0.0".
std::string fixed(double value, int decimals) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    std::string out = text.data();
    if (out.starts_with("-") && out.find_first_not_of("-0.") == std::string::npos) {
        out.erase(0, 1);
    }
    return out;
}

std::string miles(double value) {
    return fixed(value, 2);
}
std::string minutes(double value) {
    return fixed(value, 1);
}
std::string knots(double value) {
    return fixed(value, 1);
}

std::string noCrossingText(NoCrossing why) {
    switch (why) {
        case NoCrossing::NoRelativeMotion:
            return "目标与本船相对静止";
        case NoCrossing::ParallelToHeading:
            return "相对运动线与本船首尾线平行";
        case NoCrossing::AlreadyCrossed:
            break;
    }
    return "已在最后一次观测之前穿过本船首尾线";
}

std::string noAlterationText(NoAlteration why) {
    switch (why) {
        case NoAlteration::ActionBeforePlot:
            return "避让时间早于最后一次观测";
        case NoAlteration::NoRelativeMotion:
            return "目标与本船相对静止，距离不变";
        case NoAlteration::PastCpa:
            return "届时目标已过 CPA，正在驶离";
        case NoAlteration::PassNotInsideRange:
            return "届时目标的距离已不小于要求的通过距离";
        case NoAlteration::OwnShipStopped:
            return "本船停船，无法转向";
        case NoAlteration::NoCourse:
            return "以本船航速，没有哪个航向能使目标以此距离通过";
        case NoAlteration::OnlyOtherSide:
            return "向这一侧转 180° 以内做不到，只有向另一侧转向";
        case NoAlteration::NoSpeed:
            break;
    }
    return "保持航向时，没有哪个航速（含停船）能做到";
}

// "TCPA 12.3 分钟（08:24）", minutes after the last plot.
std::string tcpaText(double tcpa, double lastClock) {
    return "TCPA " + minutes(tcpa) + " 分钟（" + clockText(lastClock + tcpa) + "）";
}

std::string motionText(const navigation::PlottedMotion& motion, const std::string& course) {
    return motion.course ? course + "，" + knots(motion.speed) + " 节" : "不动（0.0 节）";
}

std::string alterationLines(const TargetPlot& plan,
                            const navigation::CompassCorrection& correction) {
    const navigation::Alterations& found = *plan.alterations;
    const navigation::PassingAction& action = *plan.action;
    std::string out = "避让：" + clockText(plan.lastClock + action.minutes) + "（最后一次观测" +
                      (action.minutes < 0 ? "前 " : "后 ") + minutes(std::fabs(action.minutes)) +
                      " 分钟）起，使 DCPA 为 " + distanceText(action.pass) + " 海里";
    if (action.minutes >= 0) {
        const auto bearing = navigation::bearingOf(found.position);
        out += "；届时目标" + (bearing ? "方位 " + courseText(bearing) + "°，" : std::string{}) +
               "距离 " + miles(navigation::length(found.position)) + " 海里";
    }
    out += "\n";
    for (const bool starboard : {true, false}) {
        const auto& turn = starboard ? found.starboard : found.port;
        out += starboard ? "  向右转向：" : "  向左转向：";
        if (turn) {
            out += "新航向 " + labelledCourse(turn.value().course, correction) +
                   (starboard ? "（右转 " : "（左转 ") + fixed(turn.value().turn, 1) + "°），" +
                   tcpaText(turn.value().tcpa, plan.lastClock) + "\n";
        } else {
            out += "无：" + noAlterationText(turn.error()) + "\n";
        }
    }
    out += "  保持航向变速：";
    if (found.speed) {
        out += "新航速 " + knots(found.speed.value().speed) + " 节，" +
               tcpaText(found.speed.value().tcpa, plan.lastClock) + "\n";
    } else {
        out += "无：" + noAlterationText(found.speed.error()) + "\n";
    }
    return out;
}

std::string textReport(const TargetPlot& plan, const navigation::CompassCorrection& correction) {
    const navigation::ClosestApproach& cpa = plan.cpa;
    std::string out =
        "本船 " + labelledCourse(plan.own.course, correction) + "，" + knots(plan.own.speed) +
        " 节；" +
        (plan.observations == 1 ? std::string{"目标观测 1 次及其 AIS 航向航速"}
                                : "目标观测 " + std::to_string(plan.observations) + " 次") +
        "，最后一次 " + clockText(plan.lastClock) + "\n";
    out += "相对运动：  " +
           (plan.relative.course
                ? courseText(plan.relative.course) + "°，" + knots(plan.relative.speed) + " 节"
                : std::string{"无（目标与本船相对静止）"}) +
           "\n";
    out += "目标真运动：" + motionText(plan.truth, labelledCourse(plan.truth.course, correction)) +
           "\n";
    out += "CPA：DCPA " + miles(cpa.dcpa) + " 海里，" +
           (cpa.tcpa ? tcpaText(*cpa.tcpa, plan.lastClock) : "TCPA 无（距离保持不变）") +
           (cpa.bearing ? "，方位 " + courseText(cpa.bearing) + "°" : std::string{}) + "\n";
    if (plan.bow) {
        const navigation::BowCrossing& bow = plan.bow.value();
        const bool ahead = bow.side == navigation::CrossingSide::Ahead;
        out += (ahead ? "从船首通过：BCR " : "从船尾通过：距离 ") + miles(bow.range) + " 海里，" +
               (ahead ? "BCT " : "") + minutes(bow.minutes) + " 分钟（" +
               clockText(plan.lastClock + bow.minutes) + "）\n";
    } else {
        out += "不穿过船首线：" + noCrossingText(plan.bow.error()) + "\n";
    }
    if (cpa.opening()) {
        out += "目标正在驶离\n";
    } else if (cpa.dcpa < plan.limit) {
        out += "DCPA 小于 " + distanceText(plan.limit) + " 海里，" +
               (cpa.tcpa ? "TCPA " + minutes(*cpa.tcpa) + " 分钟" : "距离保持不变") + "\n";
    }
    if (const auto warning = offLineWarning(plan)) {
        out += *warning + "\n";
    }
    return plan.alterations ? out + alterationLines(plan, correction) : out;
}

}  // namespace

std::string clockText(double minutes) {
    const double rounded = std::fmod(std::round(minutes), kMinutesInDay);
    const auto whole = static_cast<int>(rounded < 0 ? rounded + kMinutesInDay : rounded);
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%02d:%02d", whole / static_cast<int>(kMinutesInHour),
                  whole % static_cast<int>(kMinutesInHour));
    return text.data();
}

std::optional<std::string> offLineWarning(const TargetPlot& plan) {
    if (!plan.plot.offLine()) {
        return std::nullopt;
    }
    return std::to_string(plan.observations) + " 次观测不在一条直线上：最远的一次偏离拟合的相对" +
           "运动线 " + miles(plan.plot.largestOffset) + " 海里（超过 " +
           distanceText(navigation::kPlotLineTolerance) +
           " 海里），目标可能已改向或变速，或有观测有误";
}

std::string targetPlotReport(const TargetPlot& plan,
                             const navigation::CompassCorrection& correction, TableFormat format) {
    if (format == TableFormat::Text) {
        return textReport(plan, correction);
    }
    const navigation::ClosestApproach& cpa = plan.cpa;
    const auto bow = plan.bow ? std::optional{plan.bow.value()} : std::nullopt;
    const double bcr = !bow                                            ? 0
                       : bow->side == navigation::CrossingSide::Astern ? -bow->range
                                                                       : bow->range;
    std::string line = courseText(plan.truth.course) + "\t" + knots(plan.truth.speed) + "\t" +
                       courseText(plan.relative.course) + "\t" + knots(plan.relative.speed) + "\t" +
                       miles(cpa.dcpa) + "\t" + (cpa.tcpa ? minutes(*cpa.tcpa) : "") + "\t" +
                       (cpa.tcpa ? clockText(plan.lastClock + *cpa.tcpa) : "") + "\t" +
                       courseText(cpa.bearing) + "\t" + (bow ? miles(bcr) : "") + "\t" +
                       (bow ? minutes(bow->minutes) : "");
    if (plan.alterations) {
        const navigation::Alterations& found = *plan.alterations;
        line += "\t" + (found.starboard ? courseText(found.starboard.value().course) : "") + "\t" +
                (found.port ? courseText(found.port.value().course) : "") + "\t" +
                (found.speed ? knots(found.speed.value().speed) : "");
    }
    return line + "\n";
}

}  // namespace orvanto::passage
