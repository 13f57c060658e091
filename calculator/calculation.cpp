#include "calculator/calculation.h"

#include <variant>

#include "calculator/decoded_points.h"

namespace orvanto {

DistanceOutcome calculateDistance(const CalculatorInput& input, NumberStyle style) {
    const auto decoded = decodePoints(input, kDistancePoints);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        return *message;
    }
    const auto leg = measurePoint1ToPoint2(std::get<DecodedPoints>(decoded));
    if (const auto* message = std::get_if<Message>(&leg)) {
        return *message;
    }
    return distanceTexts(std::get<DistanceMeasurement>(leg), style);
}

AngleOutcome calculateAngle(const CalculatorInput& input, NumberStyle style) {
    const auto decoded = decodePoints(input, kAnglePoints);
    if (const auto* message = std::get_if<Message>(&decoded)) {
        return *message;
    }
    const auto& points = std::get<DecodedPoints>(decoded);
    const auto leg = measurePoint1ToPoint2(points);
    if (const auto* message = std::get_if<Message>(&leg)) {
        return *message;
    }
    return angleText(points, std::get<DistanceMeasurement>(leg), style);
}

}  // namespace orvanto
