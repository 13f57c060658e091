// The calculator's two commands for the page: the six entry texts and the three 秒 choices go in;
// the result texts, or the message to show, come out, with the decoded points for the sketch.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <string>
#include <type_traits>
#include <variant>

#include "calculator/calculation.h"
#include "calculator/decoded_points.h"

namespace orvanto {
namespace {

using emscripten::val;

// The kinds as the page names them; in the order of MessageKind.
constexpr std::array<const char*, 9> kKindNames = {
    "IncompleteEntry", "Overflow",        "TypeMismatch",      "EntryForm",           "OutOfRange",
    "PointsCoincide",  "ArithmeticFault", "PointsTooFarApart", "AngleNotDeterminable"};

// `entries` holds the six texts in box order, `seconds` a flag a point (1, 2, reference).
CalculatorInput inputFrom(const val& entries, const val& seconds) {
    const auto point = [&](int index) {
        return PointEntries{entries[2 * index].as<std::string>(),
                            entries[2 * index + 1].as<std::string>(),
                            seconds[index].as<bool>() ? EntryMode::Seconds : EntryMode::Minutes};
    };
    return {point(0), point(1), point(2)};
}

// {kind, title, text, box}: box is the index of the entry box to fix, or null.
val messageObject(const Message& message) {
    val object = val::object();
    object.set("kind", kKindNames.at(static_cast<std::size_t>(message.kind)));
    object.set("title", message.title);
    object.set("text", message.text);
    object.set("box", message.box ? val(static_cast<int>(*message.box)) : val::null());
    return object;
}

// The points a command read, as [latitude, longitude] pairs in degrees, for the sketch.
val pointsArray(const DecodedPoints& points, std::size_t count) {
    val pairs = val::array();
    for (const ChartPoint& point : {points.point1, points.point2, points.reference}) {
        if (pairs["length"].as<std::size_t>() < count) {
            val pair = val::array();
            pair.call<void>("push", point.latitude, point.longitude);
            pairs.call<void>("push", pair);
        }
    }
    return pairs;
}

void setTexts(val& result, const DistanceTexts& texts) {
    result.set("kilometres", texts.kilometres);
    result.set("nauticalMiles", texts.nauticalMiles);
}
void setTexts(val& result, const AngleText& text) {
    result.set("degrees", text.degrees);
}

// One command in the calculator's steps, so that the points the sketch draws are the ones read
// for the result: {message} or the result texts with {points}.
val runCommand(const val& entries, const val& seconds, std::size_t pointCount) {
    val result = val::object();
    const auto decoded = decodePoints(inputFrom(entries, seconds), pointCount);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        result.set("message", messageObject(*message));
        return result;
    }
    const auto& points = std::get<DecodedPoints>(decoded);
    const auto leg = measurePoint1ToPoint2(points);
    if (const auto* message = std::get_if<Message>(&leg)) {
        result.set("message", messageObject(*message));
        return result;
    }
    const auto& measured = std::get<DistanceMeasurement>(leg);
    const auto shown = [&](const auto& outcome) {
        std::visit(
            [&](const auto& texts) {
                if constexpr (std::is_same_v<std::decay_t<decltype(texts)>, Message>) {
                    result.set("message", messageObject(texts));
                } else {
                    setTexts(result, texts);
                    result.set("points", pointsArray(points, pointCount));
                }
            },
            outcome);
    };
    if (pointCount == kDistancePoints) {
        shown(distanceTexts(measured));
    } else {
        shown(angleText(points, measured));
    }
    return result;
}

val distanceCommand(const val& entries, const val& seconds) {
    return runCommand(entries, seconds, kDistancePoints);
}

val angleCommand(const val& entries, const val& seconds) {
    return runCommand(entries, seconds, kAnglePoints);
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_calculator) {
    emscripten::function("distance", &distanceCommand);
    emscripten::function("angle", &angleCommand);
}

}  // namespace orvanto
