#include "notation/typed_characters.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "notation/entry_errors.h"
#include "notation/number_scan.h"
#include "text/code_points.h"
#include "text/decimal_number.h"
#include "text/trimming.h"

namespace orvanto {
namespace {

enum class Mark { None, Degree, Minute, Second };

// ‘ and ＇ are what Chinese punctuation mode types for an apostrophe.
bool isApostrophe(char32_t c) {
    return c == U'\'' || c == U'’' || c == U'′' || c == U'‘' || c == U'＇';
}

// The mark at `at` and how many characters it takes.
std::pair<Mark, std::size_t> markAt(std::u32string_view text, std::size_t at) {
    if (at + 1 < text.size() && isApostrophe(text[at]) && isApostrophe(text[at + 1])) {
        return {Mark::Second, 2};
    }
    const char32_t c = text[at];
    if (isDegreeMark(c)) {
        return {Mark::Degree, 1};
    }
    if (isApostrophe(c) || c == U'分') {
        return {Mark::Minute, 1};
    }
    if (c == U'″' || c == U'"' || c == U'”' || c == U'“' || c == U'＂' || c == U'秒') {
        return {Mark::Second, 1};
    }
    return {Mark::None, 0};
}

// Digits with an optional decimal part, correctly rounded.
double pieceValue(std::u32string_view piece) {
    std::string ascii;
    for (const char32_t c : piece) {
        ascii.push_back(static_cast<char>(c));
    }
    // Hundreds of digits may get here: a whole part too large reads as infinity, zeros too many
    // after the point as zero. The scan has cut the piece to digits and a point.
    return readDecimalNumber(ascii).value_or(0);
}

}  // namespace

bool isMinuteOrSecondMark(char32_t c) {
    const char32_t text[] = {c};
    const Mark mark = markAt(std::u32string_view{text, 1}, 0).first;
    return mark == Mark::Minute || mark == Mark::Second;
}

std::u32string normalisedCharacters(std::u32string_view typed, bool fullWidthPoints) {
    std::u32string text;
    text.reserve(typed.size());
    for (const char32_t c : typed) {
        if (isInvisibleFormat(c)) {
            continue;
        }
        if (isFullWidthDigit(c)) {
            text.push_back(U'0' + (c - U'０'));
        } else if (c == U'＋') {
            text.push_back(U'+');
        } else if (c == U'－' || c == U'\u2212') {
            text.push_back(U'-');
        } else if (isBlank(c)) {
            text.push_back(U' ');
        } else if (fullWidthPoints && (c == U'．' || c == U'。')) {
            text.push_back(U'.');
        } else {
            text.push_back(c);
        }
    }
    return text;
}

Expected<double, EntryFormProblem> degreeMarkValueOrProblem(std::u32string_view text) {
    constexpr Mark kExpected[] = {Mark::Degree, Mark::Minute, Mark::Second};
    const auto formError = [] { return unexpected(EntryFormProblem::SymbolForm); };
    std::size_t i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && isSign(text[i])) {
        negative = text[i] == U'-';
        i = skipBlanks(text, i + 1);
    }
    // The pieces are scanned in an ASCII shadow of the text, character for character.
    std::string shadow(text.size(), '\x7f');
    std::transform(text.begin(), text.end(), shadow.begin(),
                   [](char32_t c) { return c < 0x80 ? static_cast<char>(c) : '\x7f'; });
    double pieces[] = {0, 0, 0};
    std::size_t count = 0;
    bool decimals = false;
    while (i < text.size()) {
        if (count == std::size(pieces) || decimals) {
            return formError();
        }
        // Digits on both sides of a point, if it has one; no sign and no exponent.
        const NumberShape number = scanNumber(std::string_view{shadow}.substr(i));
        const std::string_view piece = number.mantissa;
        if (number.signLength != 0 || piece.empty() || piece.front() == '.' ||
            piece.back() == '.') {
            return formError();
        }
        decimals = piece.find('.') != std::string_view::npos;
        pieces[count] = pieceValue(text.substr(i, piece.size()));
        i += piece.size();
        const std::size_t numberEnd = i;
        i = skipBlanks(text, i);
        if (i == text.size()) {
            ++count;  // the last piece may leave out its mark
            break;
        }
        const auto [mark, length] = markAt(text, i);
        if (mark == Mark::None && i > numberEnd && isAsciiDigit(text[i])) {
            return unexpected(EntryFormProblem::DigitsSplit);
        }
        if (mark != kExpected[count]) {
            return formError();
        }
        ++count;
        i = skipBlanks(text, i + length);
    }
    // In this order: a change would move the last bit, and with it a result at a scan's boundary.
    const double degrees = (pieces[0] + pieces[1] / 60) + pieces[2] / 3600;
    return negative ? -degrees : degrees;
}

}  // namespace orvanto
