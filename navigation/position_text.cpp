#include "navigation/position_text.h"

#include <cmath>
#include <cstdio>

#include "calculator/decimal_text.h"

namespace orvanto::navigation {
namespace {

constexpr double kHundredthsOfMinuteInDegree = 6000;
constexpr long long kHundredthsAt180 = 180LL * 6000;
constexpr std::size_t kDegreeDecimals = 6;

struct Hemispheres {
    char positive;
    char negative;
};

// `degrees` in whole hundredths of a minute, rounded half up.
std::string chartPosition(double degrees, Hemispheres hemispheres) {
    const auto hundredths =
        static_cast<long long>(std::floor(std::fabs(degrees) * kHundredthsOfMinuteInDegree + 0.5));
    // Zero has no hemisphere, and 180° west is 180° east.
    const bool negative = degrees < 0 && hundredths != 0 &&
                          !(hemispheres.positive == 'E' && hundredths == kHundredthsAt180);
    const auto perDegree = static_cast<long long>(kHundredthsOfMinuteInDegree);
    char text[32];
    std::snprintf(text, sizeof text, "%lld%02lld.%02lld%c", hundredths / perDegree,
                  hundredths % perDegree / 100, hundredths % 100,
                  negative ? hemispheres.negative : hemispheres.positive);
    return text;
}

std::string decimalText(double degrees) {
    return formatDecimals(degrees, kDegreeDecimals, NumberStyle::Fixed);
}

}  // namespace

double wrappedLongitude(double degrees) {
    const double wrapped = std::remainder(degrees, 360.0);
    return wrapped <= -180.0 ? wrapped + 360.0 : wrapped + 0.0;
}

std::string latitudeText(double degrees) {
    return chartPosition(degrees, {'N', 'S'});
}

std::string longitudeText(double degrees) {
    return chartPosition(wrappedLongitude(degrees), {'E', 'W'});
}

std::string latitudeDegreesText(double degrees) {
    return decimalText(degrees);
}

std::string longitudeDegreesText(double degrees) {
    const std::string text = decimalText(wrappedLongitude(degrees));
    // Just east of -180 may round onto it: that meridian is written 180.
    return text == "-180.000000" ? "180.000000" : text;
}

}  // namespace orvanto::navigation
