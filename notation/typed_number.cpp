#include "notation/typed_number.h"

#include <algorithm>
#include <cmath>

#include "notation/entry_errors.h"
#include "notation/typed_characters.h"
#include "text/code_points.h"
#include "text/decimal_number.h"
#include "text/trimming.h"

namespace orvanto {
namespace {

bool isNumberCharacter(char32_t c) {
    return isAsciiDigit(c) || c == U'.';
}

// Where the number that starts at `at` ends: digits and points, and, once a degree mark stands
// among them, the marks and blanks of the degree-mark form.
std::size_t numberEnd(std::u32string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && isNumberCharacter(text[end])) {
        ++end;
    }
    std::size_t look = skipBlanks(text, end);
    if (look == text.size() || !isDegreeMark(text[look])) {
        return end;
    }
    // "5°30′W": degrees, then minutes and seconds with their marks; the last mark may be left out.
    end = look + 1;
    for (look = skipBlanks(text, end); look < text.size();) {
        const bool part = isNumberCharacter(text[look]) || isMinuteOrSecondMark(text[look]);
        if (!part) {
            break;
        }
        end = ++look;
        look = skipBlanks(text, look);
    }
    return end;
}

// Digits with at most one point, at least one digit.
std::optional<double> plainValue(std::u32string_view digits) {
    std::string ascii;
    for (const char32_t c : digits) {
        ascii.push_back(static_cast<char>(c));
    }
    return readDecimalNumber(ascii);
}

// The degree-mark form, or nothing for a text that is not one.
std::optional<double> degreeMarkForm(std::u32string_view text) {
    const Expected<double, EntryFormProblem> value = degreeMarkValueOrProblem(text);
    return value ? std::optional{value.value()} : std::nullopt;
}

bool isEastOrWest(std::string_view side, bool& west) {
    constexpr std::string_view kEast[] = {"E", "e", "Ｅ", "ｅ", "东"};
    constexpr std::string_view kWest[] = {"W", "w", "Ｗ", "ｗ", "西"};
    west = std::find(std::begin(kWest), std::end(kWest), side) != std::end(kWest);
    return west || std::find(std::begin(kEast), std::end(kEast), side) != std::end(kEast);
}

}  // namespace

std::optional<TypedNumber> readTypedNumber(std::string_view typed) {
    const std::u32string text = normalisedCharacters(decodeUtf8(typed), true);
    const std::u32string_view view = trimmed(text);
    std::size_t start = 0;
    while (start < view.size() && !isNumberCharacter(view[start]) && !isSign(view[start])) {
        ++start;
    }
    TypedNumber number;
    number.before = encodeUtf8(trimmed(view.substr(0, start)));
    std::size_t at = start;
    if (at < view.size() && isSign(view[at])) {
        number.hasSign = true;
        at = skipBlanks(view, at + 1);
    }
    const std::size_t end = numberEnd(view, at);
    const std::u32string_view digits = view.substr(at, end - at);
    number.after = encodeUtf8(trimmed(view.substr(end)));
    number.degreeMark = std::any_of(digits.begin(), digits.end(), isDegreeMark);
    const std::optional<double> magnitude =
        number.degreeMark ? degreeMarkForm(digits) : plainValue(digits);
    if (!magnitude || !std::isfinite(*magnitude)) {
        return std::nullopt;
    }
    number.value = start < view.size() && view[start] == U'-' ? -*magnitude : *magnitude;
    return number;
}

std::optional<double> readEastWestDegrees(std::string_view text) {
    const std::optional<TypedNumber> number = readTypedNumber(text);
    if (!number || (!number->before.empty() && !number->after.empty())) {
        return std::nullopt;
    }
    const std::string& side = number->before.empty() ? number->after : number->before;
    if (side.empty()) {
        return number->value;
    }
    bool west = false;
    // "-3W" says west twice, or contradicts itself: refused rather than guessed.
    if (!isEastOrWest(side, west) || number->hasSign) {
        return std::nullopt;
    }
    return west ? -number->value : number->value;
}

}  // namespace orvanto
