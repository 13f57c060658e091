#include "passage/plot_values.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

#include "notation/typed_number.h"
#include "passage/passage_values.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto::passage {
namespace {

constexpr double kFastestKnots = 100;
constexpr double kFarthestRange = 100;
constexpr double kWidestPass = 50;
constexpr double kHoursInDay = 24;
constexpr double kMinutesInHour = 60;

// The text before and after the first of the separators it holds (a mark in ASCII, then in full
// width); nothing when it holds none.
std::optional<std::pair<std::string_view, std::string_view>> splitAt(
    std::string_view text, std::initializer_list<std::string_view> separators) {
    for (const std::string_view separator : separators) {
        if (const std::size_t at = text.find(separator); at != std::string_view::npos) {
            return std::pair{text.substr(0, at), text.substr(at + separator.size())};
        }
    }
    return std::nullopt;
}

// A number with nothing in front and, after it, nothing or one of `units` (ASCII in either case).
std::optional<double> plainNumber(std::string_view text,
                                  std::initializer_list<std::string_view> units) {
    const auto number = readTypedNumber(text);
    if (!number || !number->before.empty() || number->degreeMark || number->hasSign) {
        return std::nullopt;
    }
    std::u32string after = decodeUtf8(number->after);
    for (char32_t& c : after) {
        c = (c >= U'Ａ' && c <= U'Ｚ') || (c >= U'ａ' && c <= U'ｚ') ? c - U'Ａ' + U'A' : c;
        c = c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
    }
    const std::string unit = encodeUtf8(after);
    if (!unit.empty() && std::find(units.begin(), units.end(), unit) == units.end()) {
        return std::nullopt;
    }
    return number->value;
}

// Whole digits only, ASCII or full width, as a clock writes them: their value and their count.
std::optional<std::pair<int, std::size_t>> clockDigits(std::string_view text) {
    const std::u32string digits = decodeUtf8(trimmed(text, " "));
    if (digits.empty() || digits.size() > 4) {
        return std::nullopt;
    }
    int value = 0;
    for (const char32_t c : digits) {
        const bool ascii = c >= U'0' && c <= U'9';
        if (!ascii && !isFullWidthDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<int>(c - (ascii ? U'0' : U'０'));
    }
    return std::pair{value, digits.size()};
}

}  // namespace

std::optional<TypedMotion> readMotion(std::string_view text) {
    const auto parts = splitAt(text, {"/", "／"});
    if (!parts) {
        return std::nullopt;
    }
    const auto course = readCourse(parts->first);
    const auto speed = plainNumber(parts->second, {"kn", "kt", "节"});
    if (!course || !speed || *speed > kFastestKnots) {
        return std::nullopt;
    }
    return TypedMotion{*course, *speed};
}

std::optional<double> readClockTime(std::string_view text) {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    if (const auto parts = splitAt(text, {":", "："})) {
        const auto hour = clockDigits(parts->first);
        auto rest = splitAt(parts->second, {":", "："});
        const auto minute = clockDigits(rest ? rest->first : parts->second);
        const auto second = rest ? clockDigits(rest->second) : std::pair{0, std::size_t{2}};
        if (!hour || hour->second > 2 || !minute || minute->second != 2 || !second ||
            second->second != 2) {
            return std::nullopt;
        }
        hours = hour->first;
        minutes = minute->first;
        seconds = second->first;
    } else {
        // "0812", as a deck log writes it: four digits, never three.
        const auto digits = clockDigits(text);
        if (!digits || digits->second != 4) {
            return std::nullopt;
        }
        hours = digits->first / 100;
        minutes = digits->first % 100;
    }
    if (hours >= kHoursInDay || minutes >= kMinutesInHour || seconds >= kMinutesInHour) {
        return std::nullopt;
    }
    return hours * kMinutesInHour + minutes + seconds / kMinutesInHour;
}

std::optional<navigation::Observation> readObservation(std::string_view text) {
    const auto timed = splitAt(text, {"@", "＠"});
    const auto place = timed ? splitAt(timed->first, {"/", "／"}) : std::nullopt;
    if (!place) {
        return std::nullopt;
    }
    const auto bearing = readCourse(place->first);
    const auto range = plainNumber(place->second, {"nmi", "海里"});
    const auto clock = readClockTime(timed->second);
    if (!bearing || bearing->reference != navigation::CourseReference::True || !range ||
        *range > kFarthestRange || !clock) {
        return std::nullopt;
    }
    return navigation::Observation{bearing->degrees, *range, *clock};
}

std::optional<double> readPassingDistance(std::string_view text) {
    const auto distance = plainNumber(text, {"nmi", "海里"});
    if (!distance || *distance <= 0 || *distance > kWidestPass) {
        return std::nullopt;
    }
    return distance;
}

}  // namespace orvanto::passage
