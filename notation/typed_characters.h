// The characters of a number as people type it: what an input method or a spreadsheet puts in
// place of ASCII digits, signs, points and blanks, and the degree-mark form "42°11′25″". Entries
// (entry_reading.h) and the numbers typed as options' values (typed_number.h) read them alike.
#pragma once

#include <string>
#include <string_view>

#include "notation/entry_errors.h"
#include "text/expected.h"

namespace orvanto {

constexpr bool isAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
constexpr bool isSign(char32_t c) {
    return c == U'+' || c == U'-';
}
constexpr bool isDegreeMark(char32_t c) {
    return c == U'°' || c == U'º' || c == U'˚' || c == U'度';
}

// The minute and second marks ′ ' ’ ‘ ＇ 分 and ″ " ” “ ＂ 秒 (two minute marks make a second
// mark).
bool isMinuteOrSecondMark(char32_t c);

// The text with invisible format characters dropped, full-width digits and signs and the minus
// sign U+2212 made ASCII, and every blank (isBlank) made a space. With `fullWidthPoints`, "．"
// and "。" become the decimal point: not in a packed seconds entry, which has no point.
std::u32string normalisedCharacters(std::u32string_view typed, bool fullWidthPoints);

// "[sign] D° [M′ [S″]]" after normalisedCharacters: the last piece's mark optional, only the last
// piece with decimals, blanks next to a mark ignored. The value is (D + M / 60) + S / 3600 in
// doubles, in that order, the pieces read with correct rounding. Else the form's problem:
// DigitsSplit for a blank between two digits ("42° 11 25"), SymbolForm for anything else that does
// not fit.
Expected<double, EntryFormProblem> degreeMarkValueOrProblem(std::u32string_view text);

}  // namespace orvanto
