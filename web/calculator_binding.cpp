// The calculator's two commands for the page: the six entry texts and the three 秒 choices go in;
// the result texts, or the message to show, come out, with the decoded points for the sketch.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <string>
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
val pointsArray(const CalculatorInput& input, std::size_t count) {
    val points = val::array();
    const auto decoded = decodePoints(input, count);
    if (const auto* read = std::get_if<DecodedPoints>(&decoded)) {
        for (const ChartPoint& point : {read->point1, read->point2, read->reference}) {
            if (points["length"].as<std::size_t>() < count) {
                val pair = val::array();
                pair.call<void>("push", point.latitude, point.longitude);
                points.call<void>("push", pair);
            }
        }
    }
    return points;
}

val distanceCommand(const val& entries, const val& seconds) {
    const CalculatorInput input = inputFrom(entries, seconds);
    val result = val::object();
    const DistanceOutcome outcome = calculateDistance(input);
    if (const auto* message = std::get_if<Message>(&outcome)) {
        result.set("message", messageObject(*message));
        return result;
    }
    const auto& texts = std::get<DistanceTexts>(outcome);
    result.set("kilometres", texts.kilometres);
    result.set("nauticalMiles", texts.nauticalMiles);
    result.set("points", pointsArray(input, kDistancePoints));
    return result;
}

val angleCommand(const val& entries, const val& seconds) {
    const CalculatorInput input = inputFrom(entries, seconds);
    val result = val::object();
    const AngleOutcome outcome = calculateAngle(input);
    if (const auto* message = std::get_if<Message>(&outcome)) {
        result.set("message", messageObject(*message));
        return result;
    }
    result.set("degrees", std::get<AngleText>(outcome).degrees);
    result.set("points", pointsArray(input, kAnglePoints));
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_calculator) {
    emscripten::function("distance", &distanceCommand);
    emscripten::function("angle", &angleCommand);
}

}  // namespace orvanto
