// How far a navigator sees (视距) and how far a light or a landmark is seen (能见距离), as the
// Chinese syllabus reckons them with the terrestrial refraction of the standard atmosphere: the
// visible horizon of an eye e metres above the sea lies 2.09·√e nautical miles off.
#pragma once

#include <optional>

namespace orvanto::navigation {

inline constexpr double kHorizonFactor = 2.09;
// The eye a Chinese chart's 射程 is printed for, metres.
inline constexpr double kChartedEye = 5;

// Nautical miles to the visible horizon of an eye `eye` metres high (0 or more).
double horizonRange(double eye);

// The geographic range of an object `height` metres high for an eye `eye` metres high: the two
// horizons added, 2.09·(√H + √e).
double geographicRange(double height, double eye);

// A chart's 射程 `charted` (nautical miles) taken as the geographic range for the charted eye of
// 5 m, brought to an eye of `eye` metres, D + 2.09·(√e − √5), no less than 0; no more than the
// light's luminous range when it is known, since that does not grow with the eye.
struct ChartedRange {
    double geographic = 0;  // the range for the eye, taken as geographic
    double range = 0;       // the same, capped by the luminous range
    bool capped = false;    // the luminous range is the smaller
};
ChartedRange chartedRange(double charted, double eye, std::optional<double> luminous);

}  // namespace orvanto::navigation
