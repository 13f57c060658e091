#include "notation/entry_reading.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <utility>

#include "notation/entry_decoding.h"
#include "notation/entry_errors.h"
#include "notation/number_scan.h"
#include "text/code_points.h"
#include "text/decimal_number.h"
#include "text/trimming.h"

namespace orvanto {
namespace {

using Text = std::u32string;
using TextView = std::u32string_view;

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
bool isSign(char32_t c) {
    return c == U'+' || c == U'-';
}
bool isDegreeMark(char32_t c) {
    return c == U'°' || c == U'º' || c == U'˚' || c == U'度';
}

// Step 1: what an input method or a spreadsheet puts in place of the ASCII characters.
Text normalised(const Text& typed, bool fullWidthPoints) {
    Text text;
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

struct Designator {
    TextView spelling;
    Axis axis;
    bool negative;  // south or west
};

constexpr Axis kLat = Axis::Latitude;
constexpr Axis kLon = Axis::Longitude;

// The two-character forms come first, so that "北纬" is not taken for "北" and a stray "纬".
constexpr Designator kDesignators[] = {
    {U"北纬", kLat, false}, {U"南纬", kLat, true}, {U"东经", kLon, false}, {U"西经", kLon, true},
    {U"北", kLat, false},   {U"南", kLat, true},   {U"东", kLon, false},   {U"西", kLon, true},
    {U"N", kLat, false},    {U"n", kLat, false},   {U"Ｎ", kLat, false},   {U"ｎ", kLat, false},
    {U"S", kLat, true},     {U"s", kLat, true},    {U"Ｓ", kLat, true},    {U"ｓ", kLat, true},
    {U"E", kLon, false},    {U"e", kLon, false},   {U"Ｅ", kLon, false},   {U"ｅ", kLon, false},
    {U"W", kLon, true},     {U"w", kLon, true},    {U"Ｗ", kLon, true},    {U"ｗ", kLon, true},
};

const Designator* leadingDesignator(TextView text) {
    for (const Designator& designator : kDesignators) {
        if (text.starts_with(designator.spelling)) {
            return &designator;
        }
    }
    return nullptr;
}

const Designator* trailingDesignator(TextView text) {
    for (const Designator& designator : kDesignators) {
        if (text.ends_with(designator.spelling)) {
            return &designator;
        }
    }
    return nullptr;
}

// Letters and no digit ("nan", "abc"): a word, not a designator standing alone ("S", "北纬 .").
bool isWordWithoutDigits(TextView text) {
    if (std::any_of(text.begin(), text.end(), isDigit)) {
        return false;
    }
    if (const Designator* first = leadingDesignator(text)) {
        text.remove_prefix(first->spelling.size());
    } else if (const Designator* last = trailingDesignator(text)) {
        text.remove_suffix(last->spelling.size());
    }
    return std::any_of(text.begin(), text.end(),
                       [](char32_t c) { return !isBlank(c) && !isSign(c) && c != U'.'; });
}

// Step 2: takes the hemisphere designator off the text; true when it makes the value negative.
bool takeDesignator(Text& text, Axis axis) {
    TextView rest = trimmed(text);
    const Designator* found = leadingDesignator(rest);
    if (found != nullptr) {
        rest = trimmed(rest.substr(found->spelling.size()));
    } else if (!rest.empty() && isSign(rest.front()) &&
               leadingDesignator(trimmed(rest.substr(1))) != nullptr) {
        throw EntryFormError(EntryFormProblem::DesignatorWithSign);  // "-S4250.0"
    }
    if (const Designator* last = trailingDesignator(rest)) {
        if (found != nullptr) {
            throw EntryFormError(EntryFormProblem::TwoDesignators);
        }
        found = last;
        rest = trimmed(rest.substr(0, rest.size() - last->spelling.size()));
    }
    if (found == nullptr) {
        return false;
    }
    if (leadingDesignator(rest) != nullptr || trailingDesignator(rest) != nullptr) {
        throw EntryFormError(EntryFormProblem::TwoDesignators);  // "NS4250.0"
    }
    if (found->axis != axis) {
        throw EntryFormError(EntryFormProblem::OtherAxis);
    }
    if (!rest.empty() && isSign(rest.front())) {
        throw EntryFormError(EntryFormProblem::DesignatorWithSign);
    }
    if (std::none_of(rest.begin(), rest.end(), isDigit)) {
        throw EntryFormError(EntryFormProblem::NoDigit);
    }
    text = Text{rest};
    return found->negative;
}

// Step 3: a packed seconds entry without the blanks a pasted cell or a careful typist leaves, so
// that its pieces are taken at the positions the user sees.
Text packed(TextView text) {
    text = trimmed(text);
    Text compact;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t next = skipBlanks(text, i);
        const bool afterNumberPart = i > 0 && (isDigit(text[i - 1]) || (i == 1 && isSign(text[0])));
        if (next > i && afterNumberPart && isDigit(text[next])) {
            i = next;
        }
        compact.push_back(text[i]);
    }
    return compact;
}

// A short packed seconds entry as if the zeros in front had been typed: "123" is 0°01′23″ and "5"
// is 0°00′05″, not pieces that overlap.
void alignRight(std::string& text) {
    const std::size_t signLength = text.starts_with('+') || text.starts_with('-') ? 1 : 0;
    const std::size_t count = text.size() - signLength;
    const bool allDigits =
        count > 0 && text.find_first_not_of("0123456789", signLength) == std::string::npos;
    if (allDigits && count < 4) {
        text.insert(signLength, 4 - count, '0');
    }
}

// Digits with at most one point, then optionally an exponent marker, a sign and digits.
bool isOneNumber(std::string_view text) {
    const NumberShape shape = scanNumber(text);
    return !shape.mantissa.empty() && shape.signLength == 0 && shape.length() == text.size();
}

// The plain form after decodeEntry has read it: decodeEntry stops reading at a stray character or
// takes pieces by position, so what it left unread is checked here, the whole text at once.
void checkWholeEntry(std::string_view text, EntryMode mode) {
    std::string compact;
    std::copy_if(text.begin(), text.end(), std::back_inserter(compact),
                 [](char c) { return c != ' ' && c != '\t' && c != '\n'; });
    if (compact.find(',') != std::string::npos || compact.find("，") != std::string::npos ||
        compact.find("、") != std::string::npos) {
        throw EntryFormError(EntryFormProblem::Comma);
    }
    std::string_view number = compact;
    if (number.starts_with('+') || number.starts_with('-')) {
        number.remove_prefix(1);
    }
    if (number.starts_with('+') || number.starts_with('-')) {
        throw EntryFormError(EntryFormProblem::TwoSigns);
    }
    if (mode == EntryMode::Seconds) {
        if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) {
            throw EntryFormError(EntryFormProblem::SecondsNotDigits);
        }
    } else if (!isOneNumber(number)) {
        throw EntryFormError(EntryFormProblem::NotANumber);
    }
}

// Steps 5 and 6: the fixed rule first, so that its overflow and type-mismatch errors keep their
// place, then the whole-entry checks.
double plainFormValue(std::string text, EntryMode mode) {
    if (mode == EntryMode::Seconds) {
        alignRight(text);
    }
    const double degrees = decodeEntry(text, mode);
    checkWholeEntry(text, mode);
    return degrees;
}

enum class Mark { None, Degree, Minute, Second };

// The mark at `at` and how many characters it takes.
std::pair<Mark, std::size_t> markAt(TextView text, std::size_t at) {
    // ‘ and ＇ are what Chinese punctuation mode types for an apostrophe.
    const auto isApostrophe = [](char32_t c) {
        return c == U'\'' || c == U'’' || c == U'′' || c == U'‘' || c == U'＇';
    };
    if (at + 1 < text.size() && isApostrophe(text[at]) && isApostrophe(text[at + 1])) {
        return {Mark::Second, 2};
    }
    switch (text[at]) {
        case U'°':
        case U'º':
        case U'˚':
        case U'度':
            return {Mark::Degree, 1};
        case U'′':
        case U'\'':
        case U'’':
        case U'‘':
        case U'＇':
        case U'分':
            return {Mark::Minute, 1};
        case U'″':
        case U'"':
        case U'”':
        case U'“':
        case U'＂':
        case U'秒':
            return {Mark::Second, 1};
        default:
            return {Mark::None, 0};
    }
}

// Digits with an optional decimal part, correctly rounded.
double pieceValue(TextView piece) {
    std::string ascii;
    for (const char32_t c : piece) {
        ascii.push_back(static_cast<char>(c));
    }
    // Hundreds of digits may get here: a whole part too large reads as infinity, zeros too many
    // after the point as zero.
    return readDecimalNumber(ascii);
}

// Step 4: "[sign] D° [M′ [S″]]", the last piece's mark optional, only the last with decimals.
double symbolFormValue(TextView text) {
    constexpr Mark kExpected[] = {Mark::Degree, Mark::Minute, Mark::Second};
    const auto formError = [] { return EntryFormError(EntryFormProblem::SymbolForm); };
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
            throw formError();
        }
        // Digits on both sides of a point, if it has one; no sign and no exponent.
        const NumberShape number = scanNumber(std::string_view{shadow}.substr(i));
        const std::string_view piece = number.mantissa;
        if (number.signLength != 0 || piece.empty() || piece.front() == '.' ||
            piece.back() == '.') {
            throw formError();
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
        if (mark == Mark::None && i > numberEnd && isDigit(text[i])) {
            throw EntryFormError(EntryFormProblem::DigitsSplit);
        }
        if (mark != kExpected[count]) {
            throw formError();
        }
        ++count;
        i = skipBlanks(text, i + length);
    }
    // In this order: a change would move the last bit, and with it a result at a scan's boundary.
    const double degrees = (pieces[0] + pieces[1] / 60) + pieces[2] / 3600;
    return negative ? -degrees : degrees;
}

double axisLimit(Axis axis) {
    return axis == Axis::Latitude ? 90 : 180;
}

void checkRange(double degrees, Axis axis) {
    if (!(std::fabs(degrees) <= axisLimit(axis))) {
        throw OutOfRangeError("degrees beyond the axis");
    }
}

}  // namespace

std::optional<double> readPlainEntry(std::string_view text, EntryMode mode, Axis axis) noexcept {
    const std::optional<double> degrees = decodePlainEntry(text, mode);
    return degrees && std::fabs(*degrees) <= axisLimit(axis) ? degrees : std::nullopt;
}

double readEntry(std::string_view typed, EntryMode mode, Axis axis) {
    // Digits, points and signs alone, as most entries and every batch file are written, pass all
    // of the steps below unchanged: no conversion needed.
    if (const std::optional<double> degrees = decodePlainEntry(typed, mode)) {
        checkRange(*degrees, axis);
        return *degrees;
    }
    if (typed.find_first_not_of("0123456789.+-") == std::string_view::npos) {
        const double degrees = plainFormValue(std::string{typed}, mode);
        checkRange(degrees, axis);
        return degrees;
    }
    const Text characters = decodeUtf8(typed);
    const bool symbolForm = std::any_of(characters.begin(), characters.end(), isDegreeMark);
    Text text = normalised(characters, mode == EntryMode::Minutes || symbolForm);
    if (mode == EntryMode::Minutes && !symbolForm && isWordWithoutDigits(trimmed(text))) {
        throw EntryFormError(EntryFormProblem::NotANumber);  // "nan" is no north and a stray n
    }
    const bool southOrWest = takeDesignator(text, axis);
    double degrees = 0;
    if (symbolForm) {
        degrees = symbolFormValue(text);
    } else {
        // The blanks go before decodeEntry sees the text: decodeEntry stays the rule that takes
        // the pieces where they stand, and the mend lives in this one place.
        degrees =
            plainFormValue(encodeUtf8(mode == EntryMode::Seconds ? packed(text) : text), mode);
    }
    if (southOrWest) {
        degrees = -degrees;
    }
    checkRange(degrees, axis);
    return degrees;
}

}  // namespace orvanto
