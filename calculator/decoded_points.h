// The points of a CalculatorInput in signed decimal degrees, decoded exactly as the commands decode
// them: for a front end that puts another computation beside the calculator's (the command line's
// geodesic columns) on the very same reading of the entries.
#pragma once

#include <cstddef>
#include <variant>

#include "calculator/calculation.h"
#include "geometry/chart_point.h"

namespace orvanto {

struct DecodedPoints {
    ChartPoint point1;
    ChartPoint point2;
    ChartPoint reference;
};

// How many points each command reads.
inline constexpr std::size_t kDistancePoints = 2;
inline constexpr std::size_t kAnglePoints = 3;

// The first `pointCount` points decoded, or the message that stops a command needing them: the
// incomplete-entry check of all their boxes comes first, then decoding in box order, so the first
// faulty entry in that order is the one reported. A point's mode holds for both of its texts.
// Points beyond `pointCount` are left at zero.
std::variant<DecodedPoints, Message> decodePoints(const CalculatorInput& input,
                                                  std::size_t pointCount);

}  // namespace orvanto
