// A point of the chart, as every measurement takes it.
#pragma once

namespace orvanto {

// In signed decimal degrees, north and east positive.
struct ChartPoint {
    double latitude;
    double longitude;
};

}  // namespace orvanto
