#include "passage/compass_text.h"

#include <cmath>

#include "calculator/decimal_text.h"

namespace orvanto::passage {

std::string eastWestText(double degrees) {
    const std::string magnitude = formatDecimals(std::fabs(degrees), 1, NumberStyle::Fixed);
    return magnitude + "°" + (magnitude == "0.0" ? "" : degrees < 0 ? "W" : "E");
}

std::string compassErrorText(double variation, double deviation) {
    return "罗经差 " + eastWestText(variation + deviation) + "（磁差 " + eastWestText(variation) +
           "，自差 " + eastWestText(deviation) + "）";
}

}  // namespace orvanto::passage
