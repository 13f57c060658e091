// The compass error as a navigator writes it: degrees east or west, and the error with its parts.
#pragma once

#include <string>

namespace orvanto::passage {

// "3.5°W", "2.0°E", "0.0°": degrees east or west to a tenth.
std::string eastWestText(double degrees);

// "罗经差 5.5°W（磁差 3.5°W，自差 2.0°W）".
std::string compassErrorText(double variation, double deviation);

}  // namespace orvanto::passage
