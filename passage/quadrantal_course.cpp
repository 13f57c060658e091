#include "passage/quadrantal_course.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "notation/typed_characters.h"
#include "text/code_points.h"
#include "text/decimal_number.h"
#include "text/trimming.h"

namespace orvanto::passage {
namespace {

constexpr double kRightAngle = 90;
constexpr double kPartsBelow = 60;  // minutes in a degree, seconds in a minute
constexpr long kTenthMinutesInRightAngle = 54000;

enum class Side { None, North, South, East, West };

Side sideOf(char32_t c) {
    const auto among = [c](std::u32string_view letters) {
        return letters.find(c) != std::u32string_view::npos;
    };
    return among(U"NnＮｎ北")   ? Side::North
           : among(U"SsＳｓ南") ? Side::South
           : among(U"EeＥｅ东") ? Side::East
           : among(U"WwＷｗ西") ? Side::West
                                : Side::None;
}

bool isMinuteMark(char32_t c) {
    return c == U'′' || c == U'\'' || c == U'’' || c == U'‘' || c == U'＇' || c == U'分';
}

bool isSecondMark(char32_t c) {
    return c == U'″' || c == U'"' || c == U'”' || c == U'“' || c == U'＂' || c == U'秒';
}

enum class Part { Degrees, Minutes, Seconds };

// The length of the part's mark at the start of `text`: two minute marks are a second mark, as on
// a keyboard without ″. Zero when there is none of its kind.
std::size_t markLength(std::u32string_view text, Part part) {
    if (text.empty()) {
        return 0;
    }
    const bool twoMinuteMarks = text.size() > 1 && isMinuteMark(text[0]) && isMinuteMark(text[1]);
    switch (part) {
        case Part::Degrees:
            return isDegreeMark(text[0]) ? 1 : 0;
        case Part::Minutes:
            return isMinuteMark(text[0]) && !twoMinuteMarks ? 1 : 0;
        case Part::Seconds:
            return twoMinuteMarks ? 2 : isSecondMark(text[0]) ? 1 : 0;
    }
    return 0;
}

// The angle between the two sides: up to three parts, each digits with its mark or none.
std::optional<double> angleOf(std::u32string_view text) {
    std::array<double, 3> parts{};
    std::size_t count = 0;
    bool decimals = false;
    for (std::size_t at = skipBlanks(text, 0); at < text.size(); at = skipBlanks(text, at)) {
        if (count == parts.size() || decimals) {
            return std::nullopt;
        }
        std::string digits;
        for (; at < text.size() && (isAsciiDigit(text[at]) || text[at] == U'.'); ++at) {
            digits.push_back(static_cast<char>(text[at]));
        }
        const std::optional<double> value =
            digits.empty() || digits.front() == '.' || digits.back() == '.'
                ? std::nullopt
                : readDecimalNumber(digits);
        if (!value || (count > 0 && *value >= kPartsBelow)) {
            return std::nullopt;
        }
        decimals = digits.find('.') != std::string::npos;
        parts[count] = *value;
        at = skipBlanks(text, at);
        at += markLength(text.substr(at), static_cast<Part>(count));
        ++count;
    }
    if (count == 0) {
        return std::nullopt;
    }
    const double angle = (parts[0] + parts[1] / kPartsBelow) + parts[2] / (kPartsBelow * 60);
    return angle <= kRightAngle ? std::optional{angle} : std::nullopt;
}

}  // namespace

std::optional<double> readQuadrantalCourse(std::string_view typed) {
    const std::u32string characters = normalisedCharacters(decodeUtf8(typed), true);
    const std::u32string_view text = trimmed(characters);
    if (text.size() < 3) {
        return std::nullopt;
    }
    const Side from = sideOf(text.front());
    const Side towards = sideOf(text.back());
    if ((from != Side::North && from != Side::South) ||
        (towards != Side::East && towards != Side::West)) {
        return std::nullopt;
    }
    const std::optional<double> angle = angleOf(text.substr(1, text.size() - 2));
    if (!angle) {
        return std::nullopt;
    }
    const bool east = towards == Side::East;
    const double course =
        from == Side::North ? (east ? *angle : 360 - *angle) : (east ? 180 - *angle : 180 + *angle);
    return course == 360 ? 0.0 : course;
}

std::string quadrantalText(double course) {
    constexpr long kTenthMinutesInCircle = 4 * kTenthMinutesInRightAngle;
    const long tenths = std::lround(std::floor(course * 600 + 0.5)) % kTenthMinutesInCircle;
    const long half = 2 * kTenthMinutesInRightAngle;
    const bool north =
        tenths <= kTenthMinutesInRightAngle || tenths >= 3 * kTenthMinutesInRightAngle;
    const bool east = tenths <= half;
    const long angle = north ? (east ? tenths : kTenthMinutesInCircle - tenths)
                             : (east ? half - tenths : tenths - half);
    char text[48];
    std::snprintf(text, sizeof text, "%s%ld°%02ld.%ld′%s", north ? "N" : "S", angle / 600,
                  angle % 600 / 10, angle % 10, east ? "E" : "W");
    return text;
}

}  // namespace orvanto::passage
