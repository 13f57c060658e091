#include "navigation/light_ranges.h"

#include <algorithm>
#include <cmath>

namespace orvanto::navigation {

double horizonRange(double eye) {
    return kHorizonFactor * std::sqrt(eye);
}

double geographicRange(double height, double eye) {
    return kHorizonFactor * (std::sqrt(height) + std::sqrt(eye));
}

ChartedRange chartedRange(double charted, double eye, std::optional<double> luminous) {
    ChartedRange range;
    range.geographic =
        std::max(0.0, charted + kHorizonFactor * (std::sqrt(eye) - std::sqrt(kChartedEye)));
    range.capped = luminous && *luminous < range.geographic;
    range.range = range.capped ? *luminous : range.geographic;
    return range;
}

}  // namespace orvanto::navigation
