// Numbers typed as the values of options (a magnetic variation, and the courses, distances and
// speeds of passage planning), read with the character handling of entries, so that what a chart
// user types into a box is taken on the command line too:
//
//   - full-width digits, signs and points, the minus sign U+2212, blanks of every kind
//     (typed_characters.h): "５.５", "－3", "３．５";
//   - the degree-mark form, minutes and seconds with their marks: "5°30′" is 5.5, "5度" is 5;
//   - text in front of the number and after it, kept for the caller to read as a side, a unit or
//     a kind of course: "W5.5", "5.5 W", "西5.5", "241°T", "300nmi".
//
// The number itself is an optional sign, then digits with at most one point (at least one digit),
// or the degree-mark form. No exponent, no "nan" or "inf": a value that is not one finite number
// is refused, never read as something else.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanto {

struct TypedNumber {
    double value = 0;         // signed, finite
    bool hasSign = false;     // a "+" or "-" was typed
    bool degreeMark = false;  // written in the degree-mark form
    std::string before;       // the text in front of the sign or number, blanks trimmed (UTF-8)
    std::string after;        // the text after the number, blanks trimmed (UTF-8)
};

// The number in a typed text, or nothing when the text holds no number of the forms above (a
// second number, a comma, an exponent, NaN or infinity, a number too large for a double).
std::optional<TypedNumber> readTypedNumber(std::string_view text);

// Degrees east or west, as a variation or a deviation is written: a sign ("-3.5", "+2") or one
// side letter in front or after, with or without a blank: E W e w Ｅ Ｗ 东 西 ("3.5W", "W3.5",
// "西3.5", "5°30′W"); not both. East is positive. Nothing for any other text; the caller checks
// the range.
std::optional<double> readEastWestDegrees(std::string_view text);

}  // namespace orvanto
