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
#include "notation/typed_characters.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto {
namespace {

using Text = std::u32string;
using TextView = std::u32string_view;

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

// The characters a designator begins or ends with: most texts are ruled out at a glance, before
// the spellings are compared one by one.
bool mayBeginOrEndDesignator(char32_t c) {
    constexpr TextView kEnds = U"北南东西纬经NnＮｎSsＳｓEeＥｅWwＷｗ";
    return kEnds.find(c) != TextView::npos;
}

const Designator* leadingDesignator(TextView text) {
    if (text.empty() || !mayBeginOrEndDesignator(text.front())) {
        return nullptr;
    }
    for (const Designator& designator : kDesignators) {
        if (text.starts_with(designator.spelling)) {
            return &designator;
        }
    }
    return nullptr;
}

const Designator* trailingDesignator(TextView text) {
    if (text.empty() || !mayBeginOrEndDesignator(text.back())) {
        return nullptr;
    }
    for (const Designator& designator : kDesignators) {
        if (text.ends_with(designator.spelling)) {
            return &designator;
        }
    }
    return nullptr;
}

// Letters and no digit ("nan", "abc"): a word, not a designator standing alone ("S", "北纬 .").
bool isWordWithoutDigits(TextView text) {
    if (std::any_of(text.begin(), text.end(), isAsciiDigit)) {
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
Expected<bool, EntryFormProblem> takeDesignator(Text& text, Axis axis) {
    TextView rest = trimmed(text);
    const Designator* found = leadingDesignator(rest);
    if (found != nullptr) {
        rest = trimmed(rest.substr(found->spelling.size()));
    } else if (!rest.empty() && isSign(rest.front()) &&
               leadingDesignator(trimmed(rest.substr(1))) != nullptr) {
        return unexpected(EntryFormProblem::DesignatorWithSign);  // "-S4250.0"
    }
    if (const Designator* last = trailingDesignator(rest)) {
        if (found != nullptr) {
            return unexpected(EntryFormProblem::TwoDesignators);
        }
        found = last;
        rest = trimmed(rest.substr(0, rest.size() - last->spelling.size()));
    }
    if (found == nullptr) {
        return false;
    }
    if (leadingDesignator(rest) != nullptr || trailingDesignator(rest) != nullptr) {
        return unexpected(EntryFormProblem::TwoDesignators);  // "NS4250.0"
    }
    if (found->axis != axis) {
        return unexpected(EntryFormProblem::OtherAxis);
    }
    if (!rest.empty() && isSign(rest.front())) {
        return unexpected(EntryFormProblem::DesignatorWithSign);
    }
    if (std::none_of(rest.begin(), rest.end(), isAsciiDigit)) {
        return unexpected(EntryFormProblem::NoDigit);
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
        const bool afterNumberPart =
            i > 0 && (isAsciiDigit(text[i - 1]) || (i == 1 && isSign(text[0])));
        if (next > i && afterNumberPart && isAsciiDigit(text[next])) {
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
std::optional<EntryFormProblem> wholeEntryProblem(std::string_view text, EntryMode mode) {
    std::string compact;
    std::copy_if(text.begin(), text.end(), std::back_inserter(compact),
                 [](char c) { return c != ' ' && c != '\t' && c != '\n'; });
    if (compact.find(',') != std::string::npos || compact.find("，") != std::string::npos ||
        compact.find("、") != std::string::npos) {
        return EntryFormProblem::Comma;
    }
    std::string_view number = compact;
    if (number.starts_with('+') || number.starts_with('-')) {
        number.remove_prefix(1);
    }
    if (number.starts_with('+') || number.starts_with('-')) {
        return EntryFormProblem::TwoSigns;
    }
    if (mode == EntryMode::Seconds) {
        if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) {
            return EntryFormProblem::SecondsNotDigits;
        }
    } else if (!isOneNumber(number)) {
        return EntryFormProblem::NotANumber;
    }
    return std::nullopt;
}

// Steps 5 and 6: the fixed rule first, so that its overflow and type-mismatch errors keep their
// place, then the whole-entry checks.
EntryReading plainFormValue(std::string text, EntryMode mode) {
    if (mode == EntryMode::Seconds) {
        alignRight(text);
    }
    const EntryReading degrees = decodeEntryOrFailure(text, mode);
    if (!degrees) {
        return degrees;
    }
    if (const std::optional<EntryFormProblem> problem = wholeEntryProblem(text, mode)) {
        return entryFormFailure(*problem);
    }
    return degrees;
}

// Step 7: a blank inside the number stands only where a chart writes its groups apart, "42 50.0"
// in minutes mode and "42 11 25" in seconds mode. Anywhere else it moves digits between degrees
// and minutes without a sign of it: "42 5.0" once read 4°25.0′, and "42 11" in seconds 0°42′11″.
// `text` is the number without its designator; a blank after the sign is not inside the number.
std::optional<EntryFormProblem> blanksInNumberProblem(TextView text, EntryMode mode) {
    text = trimmed(text);
    if (!text.empty() && isSign(text.front())) {
        text = trimmed(text.substr(1));
    }
    if (text.find(U' ') == TextView::npos) {
        return std::nullopt;
    }
    const bool minutes = mode == EntryMode::Minutes;
    const std::size_t point = std::min(text.find(U'.'), text.size());
    const TextView whole = text.substr(0, point);  // the digits the groups are counted in
    const bool blankAfterPoint = text.find(U' ', point) != TextView::npos;
    const bool exponent = text.find_first_of(U"EeDd") != TextView::npos;
    const auto digits =
        static_cast<std::size_t>(std::count_if(whole.begin(), whole.end(), isAsciiDigit));
    // Minutes mode: one run, right before the two digits of whole minutes. Seconds mode: right
    // before the minutes and/or the seconds, with a digit of degrees in front.
    bool allowed = !blankAfterPoint && !exponent && (minutes || digits >= 5);
    std::size_t runs = 0;
    std::size_t digitsSoFar = 0;
    for (std::size_t i = 0; allowed && i < whole.size(); ++i) {
        if (whole[i] != U' ') {
            ++digitsSoFar;
            continue;
        }
        const std::size_t after = digits - digitsSoFar;
        allowed = (after == 2 || (!minutes && after == 4)) && digitsSoFar > 0;
        ++runs;
        i = skipBlanks(whole, i) - 1;
    }
    if (!allowed || (minutes && runs > 1)) {
        return minutes ? EntryFormProblem::MinutesSplit : EntryFormProblem::SecondsSplit;
    }
    return std::nullopt;
}

EntryReading withinRange(double degrees, Axis axis) {
    if (!isWithinAxisRange(degrees, axis)) {
        return entryFailure(EntryFailure::Kind::OutOfRange, "degrees beyond the axis");
    }
    return degrees;
}

}  // namespace

EntryReading readEntryOrFailure(std::string_view typed, EntryMode mode, Axis axis) {
    // Digits, points and signs alone, as most entries and every batch file are written, pass all
    // of the steps below unchanged: no conversion needed.
    if (const std::optional<double> degrees = decodePlainEntry(typed, mode)) {
        return withinRange(*degrees, axis);
    }
    if (typed.find_first_not_of("0123456789.+-") == std::string_view::npos) {
        const EntryReading degrees = plainFormValue(std::string{typed}, mode);
        return degrees ? withinRange(degrees.value(), axis) : degrees;
    }
    const Text characters = decodeUtf8(typed);
    const bool symbolForm = std::any_of(characters.begin(), characters.end(), isDegreeMark);
    Text text = normalisedCharacters(characters, mode == EntryMode::Minutes || symbolForm);
    if (mode == EntryMode::Minutes && !symbolForm && isWordWithoutDigits(trimmed(text))) {
        return entryFormFailure(EntryFormProblem::NotANumber);  // "nan" is no north and a stray n
    }
    const Expected<bool, EntryFormProblem> southOrWest = takeDesignator(text, axis);
    if (!southOrWest) {
        return entryFormFailure(southOrWest.error());
    }
    double degrees = 0;
    if (symbolForm) {
        const Expected<double, EntryFormProblem> value = degreeMarkValueOrProblem(text);
        if (!value) {
            return entryFormFailure(value.error());
        }
        degrees = value.value();
    } else {
        // The blanks go before decodeEntry sees the text: decodeEntry stays the rule that takes
        // the pieces where they stand, and the mend lives in this one place.
        const EntryReading value =
            plainFormValue(encodeUtf8(mode == EntryMode::Seconds ? packed(text) : text), mode);
        if (!value) {
            return value;
        }
        if (const std::optional<EntryFormProblem> problem = blanksInNumberProblem(text, mode)) {
            return entryFormFailure(*problem);
        }
        degrees = value.value();
    }
    return withinRange(southOrWest.value() ? -degrees : degrees, axis);
}

double readEntry(std::string_view typed, EntryMode mode, Axis axis) {
    return valueOrThrow(readEntryOrFailure(typed, mode, axis));
}

}  // namespace orvanto
