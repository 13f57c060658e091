// Courses for the page: the lines `orvanto-cli course --vertex` prints for point 1 → point 2, with
// the variation and deviation typed in the 航线 section read as the command line's --variation and
// --deviation read them, and the vertex ahead for the sketch.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>

#include "navigation/great_circles.h"
#include "passage/course_report.h"
#include "web/box_values.h"

namespace orvanto {
namespace {

using emscripten::val;

// The 航线 section's 磁差 and 自差 and the card 自差表… opened (texts by box id) as {variation,
// deviation, card}, degrees east or null and the card's text or null, or {error, box}.
val readCompass(const val& texts) {
    const auto correction = web::compassCorrection(web::Boxes{texts});
    if (!correction) {
        return web::problemObject(correction.error());
    }
    const auto degrees = [](std::optional<double> value) {
        return value ? val(*value) : val::null();
    };
    val result = val::object();
    result.set("variation", degrees(correction.value().variation));
    result.set("deviation", degrees(correction.value().deviation));
    // The card as its text, read again by courseLines.
    result.set("card", correction.value().card ? texts["route-deviation-card"] : val::null());
    return result;
}

ChartPoint pointOf(const val& pair) {
    return ChartPoint{pair[0].as<double>(), pair[1].as<double>()};
}

std::optional<double> degreesOf(const val& degrees) {
    return degrees.isNull() ? std::nullopt : std::optional<double>{degrees.as<double>()};
}

EntryMode modeOf(const val& seconds, int point) {
    return seconds[point].as<bool>() ? EntryMode::Seconds : EntryMode::Minutes;
}

// `from` and `to` are [latitude, longitude] in degrees as the distance command decoded them;
// `compass` is what readCompass gave, {variation, deviation}; `seconds` says for each point
// whether it was typed in 秒, [point 1, point 2, …]; `method` is {textbook, showWork}, or undefined
// for WGS-84: with both, the worked solutions of course --textbook --show-work follow.
std::string courseLines(const val& from, const val& to, const val& compass, const val& seconds,
                        const val& method) {
    passage::CourseOptions options;
    options.fromMode = modeOf(seconds, 0);
    options.toMode = modeOf(seconds, 1);
    options.correction.variation = degreesOf(compass["variation"]);
    options.correction.deviation = degreesOf(compass["deviation"]);
    if (compass["card"].isString()) {
        val boxes = val::object();
        boxes.set("route-deviation-card", compass["card"]);
        if (const auto card = web::deviationCard(web::Boxes{boxes})) {
            options.correction.card = card.value();
        }
    }
    options.vertex = true;
    if (!method.isUndefined() && method["textbook"].isTrue()) {
        options.method = navigation::SailingMethod::Textbook;
        options.showWork = method["showWork"].isTrue();
    }
    const auto report =
        passage::courseReport(pointOf(from), pointOf(to), options, passage::TableFormat::Text);
    return report ? report.value() : report.error() + "\n";
}

// The vertex ahead as [latitude, longitude] when it lies on the leg, else null.
val vertexOnLeg(const val& from, const val& to) {
    const auto vertex =
        navigation::vertexAhead(pointOf(from), pointOf(to), navigation::SailingMethod::Wgs84);
    if (!vertex || !vertex->onLeg) {
        return val::null();
    }
    val pair = val::array();
    pair.call<void>("push", vertex->position.latitude, vertex->position.longitude);
    return pair;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_courses) {
    emscripten::function("readCompass", &readCompass);
    emscripten::function("courseLines", &courseLines);
    emscripten::function("vertexOnLeg", &vertexOnLeg);
}

}  // namespace orvanto
