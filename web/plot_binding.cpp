// Radar plotting for the page's 雷达标绘 section: its boxes (and the 航线 section's 磁差 and 自差
// for magnetic and compass courses) read as `orvanto-cli cpa` reads --own, --target,
// --target-motion, --limit, --action and --pass, the texts it prints, and what the sketch draws.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <string>
#include <vector>

#include "navigation/closest_approach.h"
#include "passage/plot_values.h"
#include "passage/target_plot.h"
#include "passage/target_plot_report.h"
#include "web/box_values.h"

namespace orvanto {
namespace {

using emscripten::val;
using web::BoxProblem;

constexpr int kObservationRows = 3;

// A course and a speed from their two boxes, read together as --own reads "COURSE/SPEED": the
// message names the box that does not read.
Expected<std::optional<passage::TypedMotion>, BoxProblem> motionOf(const web::Boxes& boxes,
                                                                   const std::string& course,
                                                                   const std::string& speed,
                                                                   const std::string& name) {
    const std::string courseText = boxes.text(course);
    const std::string speedText = boxes.text(speed);
    if (courseText.empty() && speedText.empty()) {
        return std::optional<passage::TypedMotion>{};
    }
    if (const auto motion = passage::readMotion(courseText + "/" + speedText)) {
        return motion;
    }
    const bool courseRead = passage::readCourse(courseText).has_value();
    return unexpected(BoxProblem{courseRead ? speed : course,
                                 "“" + name + (courseRead ? "航速" : "航向") + "”须是" +
                                     std::string{passage::kMotionForms} + "，不认识“" +
                                     (courseRead ? speedText : courseText) + "”"});
}

// Observation `row` (1 to 3) from its 方位, 距离 and 时间 boxes; nothing when all three are blank.
Expected<std::optional<navigation::Observation>, BoxProblem> observationOf(const web::Boxes& boxes,
                                                                           int row) {
    const std::string suffix = "-" + std::to_string(row);
    const std::string names[] = {"方位", "距离", "时间"};
    const std::string ids[] = {"plot-bearing" + suffix, "plot-range" + suffix,
                               "plot-time" + suffix};
    const std::string texts[] = {boxes.text(ids[0]), boxes.text(ids[1]), boxes.text(ids[2])};
    if (texts[0].empty() && texts[1].empty() && texts[2].empty()) {
        return std::optional<navigation::Observation>{};
    }
    const std::string label = "观测 " + std::to_string(row) + " 的";
    for (int i = 0; i < 3; ++i) {
        if (texts[i].empty()) {
            return unexpected(BoxProblem{ids[i], label + "方位、距离和时间须都填写"});
        }
    }
    if (const auto seen = passage::readObservation(texts[0] + "/" + texts[1] + "@" + texts[2])) {
        return std::optional{*seen};
    }
    const auto bearing = passage::readCourse(texts[0]);
    const int bad = !bearing || bearing->reference != navigation::CourseReference::True ? 0
                    : !passage::readClockTime(texts[2])                                 ? 2
                                                                                        : 1;
    return unexpected(BoxProblem{ids[bad], label + "“" + names[bad] + "”须是" +
                                               std::string{passage::kObservationForms} + "中的" +
                                               names[bad] + "，不认识“" + texts[bad] + "”"});
}

BoxProblem plotRuleProblem(passage::PlotRule rule) {
    using passage::PlotRule;
    switch (rule) {
        case PlotRule::OwnMotionNeeded:
            return {"plot-own-course", "请填写本船航向和航速（节）"};
        case PlotRule::ObservationNeeded:
            return {"plot-bearing-1", "请填写目标的观测：方位、距离（海里）和时间"};
        case PlotRule::SecondObservation:
            return {"plot-bearing-2",
                    "只有一次观测时须填写目标航向和航速（AIS），否则至少要两次观测"};
        case PlotRule::AisWithOneObservation:
            return {
                "plot-target-course",
                "目标航向和航速（AIS）只与一次观测同用：有两次以上的观测时，目标的运动由标绘得出"};
        case PlotRule::ActionNeedsPass:
            return {"plot-pass", "填了避让时间还须填写避让后 DCPA（海里）"};
        case PlotRule::PassNeedsAction:
            break;
    }
    return {"plot-action", "填了避让后 DCPA（海里）还须填写避让时间"};
}

val point(navigation::SheetVector at) {
    val object = val::object();
    object.set("east", at.east);
    object.set("north", at.north);
    return object;
}

// `boxes` holds the section's texts by box id, with route-variation and route-deviation. Returns
// {text: what cpa prints, fields: its --format=tsv fields, sketch: {plots, position, velocity,
// closest, range}} or {error, box}. The sketch's points are nautical miles east and north of own
// ship; velocity is knots.
val plotTarget(const val& texts) {
    const web::Boxes boxes{texts};
    passage::TargetPlotRequest request;
    const auto correction = web::compassCorrection(boxes);
    if (!correction) {
        return web::problemObject(correction.error());
    }
    request.correction = correction.value();
    const auto own = motionOf(boxes, "plot-own-course", "plot-own-speed", "本船");
    if (!own) {
        return web::problemObject(own.error());
    }
    request.own = own.value();
    std::vector<std::string> rows;
    for (int row = 1; row <= kObservationRows; ++row) {
        const auto seen = observationOf(boxes, row);
        if (!seen) {
            return web::problemObject(seen.error());
        }
        if (seen.value()) {
            request.observations.push_back(*seen.value());
            rows.push_back(std::to_string(row));
        }
    }
    const auto target = motionOf(boxes, "plot-target-course", "plot-target-speed", "目标");
    if (!target) {
        return web::problemObject(target.error());
    }
    request.targetMotion = target.value();
    const auto limit = boxes.read("plot-limit", "DCPA 限值（海里）", passage::kPassingForms,
                                  passage::readPassingDistance);
    const auto action =
        boxes.read("plot-action", "避让时间", passage::kClockForms, passage::readClockTime);
    const auto pass = boxes.read("plot-pass", "避让后 DCPA（海里）", passage::kPassingForms,
                                 passage::readPassingDistance);
    for (const auto* problem :
         {limit ? nullptr : &limit.error(), action ? nullptr : &action.error(),
          pass ? nullptr : &pass.error()}) {
        if (problem != nullptr) {
            return web::problemObject(*problem);
        }
    }
    request.limit = limit.value().value_or(passage::kDefaultLimit);
    request.actionClock = action.value();
    request.pass = pass.value();
    const auto plan = passage::planTargetPlot(request);
    if (!plan) {
        const passage::TargetPlotProblem& problem = plan.error();
        if (problem.kind == passage::TargetPlotProblem::Kind::Plot) {
            return web::problemObject(plotRuleProblem(problem.plotRule));
        }
        if (problem.kind == passage::TargetPlotProblem::Kind::Compass) {
            BoxProblem said = web::ruleProblem(
                problem.rule,
                {boxes.text(problem.targetCourse ? "plot-target-course" : "plot-own-course"),
                 request.correction.variation.has_value()});
            return web::problemObject(said);
        }
        const std::string& row = rows[problem.observation];
        return web::problemObject(
            {"plot-time-" + row,
             "观测 " + row + " 的时间须晚于前一次观测：各次观测须按时间先后填写"});
    }
    const passage::TargetPlot& found = plan.value();
    val result = val::object();
    result.set("text",
               passage::targetPlotReport(found, request.correction, passage::TableFormat::Text));
    const std::string line =
        passage::targetPlotReport(found, request.correction, passage::TableFormat::Tsv);
    val fields = val::array();
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find_first_of("\t\n", at), line.size());
        fields.call<void>("push", line.substr(at, end - at));
        at = end + 1;
    }
    result.set("fields", fields);
    val sketch = val::object();
    val plots = val::array();
    for (const navigation::Observation& seen : request.observations) {
        plots.call<void>("push", point(navigation::sheetPoint(seen.bearing, seen.range)));
    }
    sketch.set("plots", plots);
    sketch.set("position", point(found.plot.position));
    sketch.set("velocity", point(found.plot.relativeVelocity));
    // The relative motion line drawn on to CPA, or as far as it ran since the first plot.
    const double hours =
        found.cpa.tcpa ? std::max(0.0, *found.cpa.tcpa) / navigation::kMinutesPerHour : 0;
    sketch.set("closest", point(found.plot.position + hours * found.plot.relativeVelocity));
    sketch.set("limit", request.limit);
    result.set("sketch", sketch);
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_plotting) {
    emscripten::function("plotTarget", &plotTarget);
}

}  // namespace orvanto
