#include "passage/position_text.h"

#include <cmath>

#include "calculator/decimal_text.h"
#include "navigation/measures.h"
#include "text/padded_digits.h"

namespace orvanto::passage {
namespace {

constexpr double kHundredthsOfMinuteInDegree = 6000;
constexpr double kHundredthsOfSecondInDegree = 360000;
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
    std::string text;
    appendPadded(text, hundredths / perDegree);
    appendPadded(text, hundredths % perDegree / 100, 2);
    text += '.';
    appendPadded(text, hundredths % 100, 2);
    text += negative ? hemispheres.negative : hemispheres.positive;
    return text;
}

// "31°06.00′" (hundredths of a minute) or "42°11′25.5″" (hundredths of a second), rounded half up
// with the carry, then the hemisphere; zero is north or east.
std::string asRead(double degrees, EntryMode mode, Hemispheres hemispheres) {
    const bool seconds = mode == EntryMode::Seconds;
    const double perDegree = seconds ? kHundredthsOfSecondInDegree : kHundredthsOfMinuteInDegree;
    const auto hundredths =
        static_cast<long long>(std::floor(std::fabs(degrees) * perDegree + 0.5));
    const char hemisphere =
        degrees < 0 && hundredths != 0 ? hemispheres.negative : hemispheres.positive;
    const auto whole = static_cast<long long>(perDegree);
    std::string text;
    appendPadded(text, hundredths / whole);
    text += "°";
    if (!seconds) {
        appendPadded(text, hundredths % whole / 100, 2);
        text += '.';
        appendPadded(text, hundredths % 100, 2);
        text += "′";
        text += hemisphere;
        return text;
    }
    const long long secondHundredths = hundredths % 6000;
    std::string second;
    appendPadded(second, secondHundredths / 100, 2);
    second += '.';
    appendPadded(second, secondHundredths % 100, 2);
    second.erase(second.find_last_not_of('0') + 1);  // "25.50" is 25.5″, "25.00" 25″
    if (second.back() == '.') {
        second.pop_back();
    }
    appendPadded(text, hundredths % whole / 6000, 2);
    text += "′" + second + "″";
    text += hemisphere;
    return text;
}

std::string decimalText(double degrees) {
    return formatDecimals(degrees, kDegreeDecimals, NumberStyle::Fixed);
}

}  // namespace

std::string positionAsRead(const ChartPoint& point, EntryMode mode) {
    return asRead(point.latitude, mode, {'N', 'S'}) + " " +
           asRead(point.longitude, mode, {'E', 'W'});
}

std::string latitudeText(double degrees) {
    return chartPosition(degrees, {'N', 'S'});
}

std::string longitudeText(double degrees) {
    return chartPosition(navigation::wrappedLongitude(degrees), {'E', 'W'});
}

std::string latitudeDegreesText(double degrees) {
    return decimalText(degrees);
}

std::string longitudeDegreesText(double degrees) {
    const std::string text = decimalText(navigation::wrappedLongitude(degrees));
    // Just east of -180 may round onto it: that meridian is written 180.
    return text == "-180.000000" ? "180.000000" : text;
}

}  // namespace orvanto::passage
