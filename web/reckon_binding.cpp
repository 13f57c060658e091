// Dead reckoning for the page's 推算船位 section: its boxes (and the 航线 section's 磁差 and 自差
// for magnetic and compass courses) read and checked as `orvanto-cli reckon` reads its position,
// course, distance and options, and the nine fields it prints with --format=tsv.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <variant>

#include "calculator/decoded_points.h"
#include "navigation/current_triangle.h"
#include "navigation/reckoning.h"
#include "passage/course_report.h"
#include "passage/option_rules.h"
#include "passage/reckoning_report.h"
#include "passage/sailing_reasons.h"
#include "passage/value_forms.h"
#include "passage/worked_solution_text.h"
#include "web/box_values.h"

namespace orvanto {
namespace {

using emscripten::val;
using web::BoxProblem;

// The start as the calculator reads point 1, its messages naming the section's own boxes.
Expected<ChartPoint, BoxProblem> startOf(const web::Boxes& boxes, bool seconds) {
    CalculatorInput input;
    input.point1 = {boxes.text("reckon-latitude"), boxes.text("reckon-longitude"),
                    seconds ? EntryMode::Seconds : EntryMode::Minutes};
    const auto decoded = decodePoints(input, 1);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        const bool longitude = message->box && *message->box == EntryBox::Point1Longitude;
        std::string text = message->text;
        // "点Ⅰ纬度的输入…": the calculator's name for the box, which here is 起点纬度.
        if (const std::string_view point1 = "点Ⅰ"; text.starts_with(point1)) {
            text.replace(0, point1.size(), "起点");
        }
        return unexpected(BoxProblem{longitude ? "reckon-longitude" : "reckon-latitude", text});
    }
    return std::get<DecodedPoints>(decoded).point1;
}

// A problem with the 航线 section's 磁差 or 自差, told in this section's status line: the message
// names that section too, since the box is a screen or more away from here.
BoxProblem inRouteSection(BoxProblem problem) {
    constexpr std::string_view kSection = "航线一节";
    if (problem.box.starts_with("route-") && problem.text.find(kSection) == std::string::npos) {
        // "“磁差”须是…" → "航线一节的“磁差”须是…"; "填了自差还须填写磁差…" → "航线一节填了自差…".
        problem.text.insert(0, std::string{kSection} + (problem.text.starts_with("“") ? "的" : ""));
    }
    return problem;
}

// The run through the water and the hours it takes (zero with a distance), or the box to fix.
struct TypedRun {
    navigation::Run run;
    double hours = 0;
};

Expected<TypedRun, BoxProblem> runOf(const web::Boxes& boxes,
                                     const navigation::CompassCorrection& correction,
                                     bool withCurrent) {
    const auto course =
        boxes.read("reckon-course", "航向", passage::kCourseForms, passage::readCourse);
    const auto distance = boxes.read("reckon-distance", "航程（海里）", passage::kDistanceForms,
                                     passage::readDistance);
    const auto speed =
        boxes.read("reckon-speed", "航速（节）", passage::kSpeedForms, passage::readSpeed);
    const auto hours = boxes.read("reckon-hours", "航时", passage::kHoursForms, passage::readHours);
    for (const auto* problem :
         {course ? nullptr : &course.error(), distance ? nullptr : &distance.error(),
          speed ? nullptr : &speed.error(), hours ? nullptr : &hours.error()}) {
        if (problem != nullptr) {
            return unexpected(*problem);
        }
    }
    if (!course.value()) {
        return unexpected(
            BoxProblem{"reckon-course", "请填写航向，如 241、241°T、236M 或 S53°26′E"});
    }
    passage::GivenOptions given;
    given.variation = correction.variation.has_value();
    given.deviation = correction.deviation.has_value();
    given.card = correction.card.has_value();
    given.course = course.value()->reference;
    given.distance = distance.value().has_value();
    given.speed = speed.value().has_value();
    given.hours = hours.value().has_value();
    given.current = withCurrent;
    if (const auto rule = passage::brokenReckonRule(given)) {
        return unexpected(web::ruleProblem(*rule, {boxes.text("reckon-course"), given.variation}));
    }
    const double trueCourse = *correction.trueCourse(*course.value());
    if (distance.value()) {
        return TypedRun{{trueCourse, *distance.value()}, 0};
    }
    return TypedRun{{trueCourse, *speed.value() * *hours.value()}, *hours.value()};
}

// `boxes` holds the section's texts by box id, with route-variation and route-deviation;
// `options` is {seconds, textbook, showWork}. Returns {fields: the nine texts of reckon
// --format=tsv, course: the great circle's final course as the text form writes it, "086.1°T" with
// the magnetic and compass courses beside it as the 磁差 and 自差 give them, work: the worked
// solution with textbook and showWork, else ""} or {error, box}.
val reckonPosition(const val& texts, const val& options) {
    const web::Boxes boxes{texts};
    const auto start = startOf(boxes, options["seconds"].as<bool>());
    if (!start) {
        return web::problemObject(start.error());
    }
    const auto correction = web::compassCorrection(boxes);
    if (!correction) {
        return web::problemObject(inRouteSection(correction.error()));
    }
    const auto current = boxes.current("reckon-set", "reckon-drift");
    if (!current) {
        return web::problemObject(current.error());
    }
    passage::ReckoningNotes notes;
    notes.method = options["textbook"].as<bool>() ? navigation::SailingMethod::Textbook
                                                  : navigation::SailingMethod::Wgs84;
    notes.correction = correction.value();
    const auto run = runOf(boxes, notes.correction, current.value().has_value());
    if (!run) {
        return web::problemObject(run.error());
    }
    notes.run = run.value().run;
    if (current.value()) {
        notes.run = navigation::runOverGround(notes.run, run.value().hours, *current.value());
        notes.overGround = true;
    }
    const auto reckoning = navigation::reckon(start.value(), notes.run, notes.method);
    if (!reckoning) {
        return web::problemObject({"reckon-course", passage::reasonFor(reckoning.error())});
    }
    const std::string line =
        passage::reckoningReport(reckoning.value(), notes, passage::TableFormat::Tsv);
    val fields = val::array();
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find_first_of("\t\n", at), line.size());
        fields.call<void>("push", line.substr(at, end - at));
        at = end + 1;
    }
    val result = val::object();
    result.set("fields", fields);
    result.set("course", passage::labelledCourse(reckoning.value().finalCourse, notes.correction));
    // 列出计算过程: the lines reckon --textbook --show-work prints under its answer.
    std::string work;
    if (notes.method == navigation::SailingMethod::Textbook && options["showWork"].isTrue()) {
        if (const auto steps = navigation::reckoningSteps(start.value(), notes.run)) {
            work = passage::reckoningWork(*steps);
        }
    }
    result.set("work", work);
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_reckoning) {
    emscripten::function("reckonPosition", &reckonPosition);
}

}  // namespace orvanto
