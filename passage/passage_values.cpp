#include "passage/passage_values.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <string>
#include <utility>

#include "geometry/chart_constants.h"
#include "navigation/courses.h"
#include "notation/typed_number.h"
#include "passage/quadrantal_course.h"
#include "text/ascii_case.h"
#include "text/code_points.h"

namespace orvanto::passage {
namespace {

constexpr double kFullCircle = 360;
constexpr double kLongestNauticalMiles = 20000;
constexpr double kFastestKnots = 100;
constexpr double kLongestHours = 10000;
constexpr double kMinutesInHour = 60;
constexpr double kSmallestStepDegrees = 0.1;
constexpr double kLargestStepDegrees = 90;
constexpr double kSmallestStepMiles = 1;
constexpr double kLargestStepMiles = 10000;
constexpr double kStrongestCurrentKnots = 20;

constexpr std::string_view kNauticalMiles[] = {"nmi", "海里"};
constexpr std::string_view kKilometres[] = {"km", "公里"};
constexpr std::string_view kKnots[] = {"kn", "kt", "节"};
constexpr std::string_view kHourUnits[] = {"h", "小时"};

// A unit or letter as typed, made comparable: full-width Latin letters as ASCII, in lower case.
std::string folded(std::string_view text) {
    std::u32string characters = decodeUtf8(text);
    for (char32_t& c : characters) {
        if ((c >= U'Ａ' && c <= U'Ｚ') || (c >= U'ａ' && c <= U'ｚ')) {
            c = c - U'Ａ' + U'A';
        }
    }
    return asciiLowerCase(encodeUtf8(characters));
}

// `unit` comes folded from numberFirst.
bool isOneOf(std::string_view unit, std::span<const std::string_view> units) {
    return std::find(units.begin(), units.end(), unit) != units.end();
}

// The number of a text with nothing in front of it; `after` is what follows, folded.
std::optional<TypedNumber> numberFirst(std::string_view text) {
    std::optional<TypedNumber> number = readTypedNumber(text);
    if (!number || !number->before.empty()) {
        return std::nullopt;
    }
    number->after = folded(number->after);
    return number;
}

bool within(double value, double lowest, double highest) {
    return value >= lowest && value <= highest;
}

// 360 is north again.
double circled(double degrees) {
    return degrees == kFullCircle ? 0.0 : degrees;
}

// A distance in nautical miles, at most `longest`: with nmi or 海里 after the number, or nothing
// when `bare` allows it; or in kilometres with km or 公里, at most as far.
std::optional<double> distanceOf(const TypedNumber& number, bool bare, double longest) {
    if (number.degreeMark || number.value < 0) {
        return std::nullopt;
    }
    if ((bare && number.after.empty()) || isOneOf(number.after, kNauticalMiles)) {
        return number.value <= longest ? std::optional{number.value} : std::nullopt;
    }
    // Compared in kilometres, so that the same distance is the limit in either unit.
    if (isOneOf(number.after, kKilometres) &&
        number.value <= longest * chart::kKilometresPerNauticalMile) {
        return number.value / chart::kKilometresPerNauticalMile;
    }
    return std::nullopt;
}

// The text before and after the first of the separators it holds; nothing when it holds none.
std::optional<std::pair<std::string_view, std::string_view>> splitAt(
    std::string_view text, std::initializer_list<std::string_view> separators) {
    for (const std::string_view separator : separators) {
        const std::size_t at = text.find(separator);
        if (at != std::string_view::npos) {
            return std::pair{text.substr(0, at), text.substr(at + separator.size())};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<navigation::TypedCourse> readCourse(std::string_view text) {
    if (const std::optional<double> quadrantal = readQuadrantalCourse(text)) {
        return navigation::TypedCourse{*quadrantal, navigation::CourseReference::True};
    }
    const auto number = numberFirst(text);
    if (!number || !within(number->value, 0, kFullCircle)) {
        return std::nullopt;
    }
    navigation::TypedCourse course{circled(number->value), navigation::CourseReference::True};
    if (number->after == "m") {
        course.reference = navigation::CourseReference::Magnetic;
    } else if (number->after == "c") {
        course.reference = navigation::CourseReference::Compass;
    } else if (!number->after.empty() && number->after != "t") {
        return std::nullopt;
    }
    return course;
}

std::optional<double> readDistance(std::string_view text) {
    const auto number = numberFirst(text);
    return number ? distanceOf(*number, true, kLongestNauticalMiles) : std::nullopt;
}

std::optional<double> readSpeed(std::string_view text) {
    const auto number = numberFirst(text);
    if (!number || number->degreeMark || number->value <= 0 || number->value > kFastestKnots ||
        !(number->after.empty() || isOneOf(number->after, kKnots))) {
        return std::nullopt;
    }
    return number->value;
}

std::optional<double> readHours(std::string_view text) {
    double hours = 0;
    if (const auto parts = splitAt(text, {":", "："})) {
        const auto whole = numberFirst(parts->first);
        const auto minutes = numberFirst(parts->second);
        if (!whole || !minutes || whole->degreeMark || minutes->degreeMark ||
            !whole->after.empty() || !minutes->after.empty() || minutes->hasSign ||
            whole->value != std::floor(whole->value) || minutes->value >= kMinutesInHour) {
            return std::nullopt;
        }
        hours = whole->value + minutes->value / kMinutesInHour;
    } else {
        const auto number = numberFirst(text);
        if (!number || number->degreeMark ||
            !(number->after.empty() || isOneOf(number->after, kHourUnits))) {
            return std::nullopt;
        }
        hours = number->value;
    }
    if (!within(hours, 0, kLongestHours)) {
        return std::nullopt;
    }
    return hours;
}

std::optional<navigation::WaypointStep> readStep(std::string_view text) {
    const auto number = numberFirst(text);
    if (!number) {
        return std::nullopt;
    }
    if ((number->degreeMark && number->after.empty()) || number->after == "deg") {
        if (!within(number->value, kSmallestStepDegrees, kLargestStepDegrees)) {
            return std::nullopt;
        }
        return navigation::WaypointStep{true, number->value, 0};
    }
    const std::optional<double> miles = distanceOf(*number, false, kLargestStepMiles);
    if (!miles || *miles < kSmallestStepMiles) {
        return std::nullopt;
    }
    return navigation::WaypointStep{false, 0, *miles};
}

std::optional<navigation::Current> readCurrent(std::string_view text) {
    const auto parts = splitAt(text, {"/", "／"});
    if (!parts) {
        return std::nullopt;
    }
    const auto set = numberFirst(parts->first);
    const auto drift = numberFirst(parts->second);
    if (!set || !drift || !set->after.empty() || !within(set->value, 0, kFullCircle) ||
        drift->degreeMark || !within(drift->value, 0, kStrongestCurrentKnots) ||
        !(drift->after.empty() || isOneOf(drift->after, kKnots))) {
        return std::nullopt;
    }
    return navigation::Current{circled(set->value), drift->value};
}

std::optional<double> readLimitLatitude(std::string_view text) {
    const auto number = numberFirst(text);
    if (!number || number->hasSign || !number->after.empty() || number->value <= 0 ||
        number->value >= navigation::kPoleLatitude) {
        return std::nullopt;
    }
    return number->value;
}

std::optional<double> readVariation(std::string_view text) {
    constexpr double kLargestVariation = 180;
    const std::optional<double> degrees = readEastWestDegrees(text);
    if (!degrees || std::fabs(*degrees) > kLargestVariation) {
        return std::nullopt;
    }
    return degrees;
}

std::optional<double> readDeviation(std::string_view text) {
    return readVariation(text);
}

}  // namespace orvanto::passage
