// The 定位 part of the page's 定位 section: its rows of observations, 船速航向, 流 and 推算船位
// (and the 航线 section's 磁差 and 自差 for magnetic and compass bearings) read as `orvanto-cli
// fix` reads --bearing, --range, --angle, --run, --current and --dr, the texts it prints, and what
// the sketch draws.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <string>
#include <vector>

#include "navigation/position_fix.h"
#include "passage/fix_report.h"
#include "passage/fix_request.h"
#include "passage/fix_sketch.h"
#include "passage/passage_values.h"
#include "passage/value_forms.h"
#include "web/box_values.h"

namespace orvanto {
namespace {

using emscripten::val;
using navigation::PositionLineKind;
using passage::ObservationPart;
using web::BoxProblem;

// The sketch reaches this far beyond the farthest crossing, and at least this far, nautical miles.
constexpr double kSketchMargin = 1.5;
constexpr double kLeastSketchReach = 1;

std::string rowBox(std::string_view field, std::size_t row) {
    return "fix-" + std::string{field} + "-" + std::to_string(row + 1);
}

std::string_view partField(ObservationPart part) {
    switch (part) {
        case ObservationPart::Form:
        case ObservationPart::Latitude1:
            return "lat1";
        case ObservationPart::Longitude1:
            return "lon1";
        case ObservationPart::Latitude2:
            return "lat2";
        case ObservationPart::Longitude2:
            return "lon2";
        case ObservationPart::Value:
            return "value";
        case ObservationPart::Time:
            break;
    }
    return "time";
}

std::string observationName(std::size_t row) {
    return "观测 " + std::to_string(row + 1);
}

PositionLineKind kindOf(const std::string& kind) {
    if (kind == "range") {
        return PositionLineKind::Range;
    }
    return kind == "angle" ? PositionLineKind::HorizontalAngle : PositionLineKind::Bearing;
}

Expected<passage::ReadObservation, passage::ObservationProblem> rowObservation(
    const web::Boxes& boxes, std::size_t row, EntryMode mode) {
    const PositionLineKind kind = kindOf(boxes.text(rowBox("kind", row)));
    const std::string texts[] = {boxes.text(rowBox("lat1", row)),  boxes.text(rowBox("lon1", row)),
                                 boxes.text(rowBox("lat2", row)),  boxes.text(rowBox("lon2", row)),
                                 boxes.text(rowBox("value", row)), boxes.text(rowBox("time", row))};
    // A blank box named as such, rather than by the calculator's words for an incomplete point.
    const bool angle = kind == PositionLineKind::HorizontalAngle;
    const struct {
        ObservationPart part;
        const std::string& text;
        const char* name;
    } needed[] = {
        {ObservationPart::Latitude1, texts[0], angle ? "物标1纬度" : "物标纬度"},
        {ObservationPart::Longitude1, texts[1], angle ? "物标1经度" : "物标经度"},
        {ObservationPart::Latitude2, texts[2], angle ? "物标2纬度" : nullptr},
        {ObservationPart::Longitude2, texts[3], angle ? "物标2经度" : nullptr},
        {ObservationPart::Value, texts[4],
         angle                             ? "水平夹角"
         : kind == PositionLineKind::Range ? "距离"
                                           : "方位"},
    };
    for (const auto& box : needed) {
        if (box.name != nullptr && box.text.empty()) {
            return unexpected(
                passage::ObservationProblem{box.part, "的" + std::string{box.name} + "未填写"});
        }
    }
    passage::ObservationParts parts{texts[0], texts[1], texts[2], texts[3], texts[4], std::nullopt};
    if (!texts[5].empty()) {
        parts.time = texts[5];
    }
    return passage::readObservationParts(kind, parts, mode);
}

BoxProblem planProblem(const passage::FixPlanProblem& problem, const passage::FixRequest& asked,
                       const web::Boxes& boxes) {
    using Kind = passage::FixPlanProblem::Kind;
    using passage::FixRule;
    const std::size_t row = problem.observation;
    switch (problem.kind) {
        case Kind::Observation:
            return {rowBox(partField(problem.read.part), row),
                    observationName(row) + " " + problem.read.text};
        case Kind::Compass: {
            if (problem.runCourse) {
                return web::ruleProblem(problem.rule, {boxes.text("fix-run-course"),
                                                       asked.correction.variation.has_value()});
            }
            const bool compass = problem.rule == passage::Rule::CompassNeedsDeviation;
            const bool lacksDeviation = compass && asked.correction.variation.has_value();
            return {lacksDeviation ? "route-deviation" : "route-variation",
                    observationName(row) + (compass ? " 的罗方位“" : " 的磁方位“") +
                        boxes.text(rowBox("value", row)) +
                        (compass ? "”须有磁差和自差：请在航线一节填写磁差和自差"
                                 : "”须有磁差：请在航线一节填写磁差")};
        }
        case Kind::DeadReckoning:
            return {problem.read.part == ObservationPart::Longitude1 ? "fix-dr-lon" : "fix-dr-lat",
                    "推算船位" + problem.read.text};
        case Kind::Time:
            return {rowBox("time", problem.time.observation), problem.time.text};
        case Kind::RunUnread: {
            const bool courseRead = passage::readCourse(boxes.text("fix-run-course")).has_value();
            const std::string id = courseRead ? "fix-run-speed" : "fix-run-course";
            return {id, std::string{courseRead
                                        ? "“本船航速（节）”须是大于 0、不超过 100 的节数"
                                        : "“本船航向”须是" + std::string{passage::kCourseForms}} +
                            "，不认识“" + boxes.text(id) + "”"};
        }
        case Kind::Rule:
            break;
    }
    switch (problem.fixRule) {
        case FixRule::TwoLinesNeeded:
            return {"fix-add", "至少需要两条位置线：请添加观测"};
        case FixRule::TimesAllOrNone: {
            // The box to fill is the blank one: 观测 1's, or this row's.
            const bool timed = asked.observations[row].value().time.has_value();
            return {
                rowBox("time", timed ? 0 : row),
                "各次观测须都填时间或都不填：" + observationName(timed ? 0 : row) + " 没有时间"};
        }
        case FixRule::CurrentNeedsRun:
            return {"fix-run-course", "填了流向、流速还须填写本船航向和航速：流只用于移线"};
        case FixRule::RunNeedsTimes:
            return {rowBox("time", 0), "填了本船航向和航速还须填写各次观测的时间，以移线"};
        case FixRule::TimesNeedRun:
            return {"fix-run-course", "观测时间不同，须填写本船航向和航速以移线"};
        case FixRule::RunNeedsTimeApart:
            break;
    }
    return {"fix-run-course", "各次观测都在同一时间，无需移线：请清空本船航向和航速"};
}

val point(const ChartPoint& at) {
    val pair = val::array();
    pair.call<void>("push", at.latitude);
    pair.call<void>("push", at.longitude);
    return pair;
}

// What the sketch draws: the landmarks, each line's path, the crossings and the fix, as
// [latitude, longitude] pairs in degrees.
val sketchOf(const navigation::PositionFix& fix, std::span<const navigation::PositionLine> lines) {
    const ChartPoint centre = fix.position.value_or(fix.crossings.front().position);
    double reach = kLeastSketchReach;
    for (const navigation::LineCrossing& crossing : fix.crossings) {
        reach = std::max(reach, navigation::geodesicMiles(centre, crossing.position));
    }
    val sketch = val::object();
    val landmarks = val::array();
    val paths = val::array();
    for (const auto& path : passage::linePaths(lines, centre, reach * kSketchMargin)) {
        val drawn = val::array();
        for (const ChartPoint& at : path) {
            drawn.call<void>("push", point(at));
        }
        paths.call<void>("push", drawn);
    }
    for (const navigation::PositionLine& line : lines) {
        landmarks.call<void>("push", point(line.landmark));
        if (line.kind == PositionLineKind::HorizontalAngle) {
            landmarks.call<void>("push", point(line.second));
        }
    }
    val crossings = val::array();
    for (const navigation::LineCrossing& crossing : fix.crossings) {
        crossings.call<void>("push", point(crossing.position));
    }
    sketch.set("landmarks", landmarks);
    sketch.set("lines", paths);
    sketch.set("crossings", crossings);
    sketch.set("fix", fix.position ? point(*fix.position) : val::null());
    return sketch;
}

// `texts` holds the part's boxes by id: fix-kind-N (bearing, range or angle), fix-lat1-N,
// fix-lon1-N, fix-lat2-N, fix-lon2-N, fix-value-N and fix-time-N for rows N from 1 on, as many as
// there are fix-kind boxes; fix-run-course, fix-run-speed, fix-current-set, fix-current-drift,
// fix-dr-lat, fix-dr-lon; route-variation and route-deviation. Returns {text: what fix prints,
// fields: its --format=tsv fields, sketch} or {error, box}.
val fixFromLandmarks(const val& texts, bool seconds) {
    const web::Boxes boxes{texts};
    const EntryMode mode = seconds ? EntryMode::Seconds : EntryMode::Minutes;
    passage::FixRequest asked;
    const auto correction = web::compassCorrection(boxes);
    if (!correction) {
        return web::problemObject(correction.error());
    }
    asked.correction = correction.value();
    for (std::size_t row = 0; !boxes.text(rowBox("kind", row)).empty(); ++row) {
        asked.observations.push_back(rowObservation(boxes, row, mode));
    }
    const std::string course = boxes.text("fix-run-course");
    const std::string speed = boxes.text("fix-run-speed");
    asked.runGiven = !course.empty() || !speed.empty();
    if (asked.runGiven) {
        asked.run = passage::readShipRun(course + "/" + speed);
    }
    const auto current = boxes.current("fix-current-set", "fix-current-drift");
    if (!current) {
        return web::problemObject(current.error());
    }
    asked.current = current.value();
    const std::string drLatitude = boxes.text("fix-dr-lat");
    const std::string drLongitude = boxes.text("fix-dr-lon");
    if (drLatitude.empty() != drLongitude.empty()) {
        return web::problemObject({drLatitude.empty() ? "fix-dr-lat" : "fix-dr-lon",
                                   "推算船位须填写纬度和经度，或都不填"});
    }
    if (!drLatitude.empty()) {
        asked.deadReckoning = passage::readPositionParts(drLatitude, drLongitude, mode);
    }
    const auto plan = passage::planFix(asked);
    if (!plan) {
        return web::problemObject(planProblem(plan.error(), asked, boxes));
    }
    std::vector<navigation::PositionLine> lines;
    for (const passage::ReadObservation& seen : plan.value().observations) {
        lines.push_back(seen.line);
    }
    const auto fix = navigation::fixPosition(lines, plan.value().deadReckoning);
    if (!fix) {
        const auto& problem = fix.error();
        return web::problemObject(
            {rowBox("value", problem.second), observationName(problem.first) + " 与" +
                                                  observationName(problem.second) +
                                                  " 的位置线不相交，无法定位"});
    }
    const passage::FixNotes notes{plan.value().observations, plan.value().deadReckoning,
                                  plan.value().time};
    val result = val::object();
    result.set("text", passage::fixReport(fix.value(), notes, passage::TableFormat::Text));
    result.set("fields",
               web::tsvFields(passage::fixReport(fix.value(), notes, passage::TableFormat::Tsv)));
    result.set("sketch", sketchOf(fix.value(), lines));
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_fix) {
    emscripten::function("fixFromLandmarks", &fixFromLandmarks);
}

}  // namespace orvanto
