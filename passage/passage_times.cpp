#include "passage/passage_times.h"

#include <cmath>
#include <utility>

#include "notation/typed_characters.h"
#include "text/code_points.h"
#include "text/padded_digits.h"
#include "text/trimming.h"

namespace orvanto::passage {
namespace {

constexpr long long kSecondsInDay = 86400;
constexpr int kMinutesInHour = 60;
constexpr int kSecondsInMinute = 60;
constexpr int kLargestOffsetMinutes = 14 * 60;
constexpr int kHoursInDay = 24;
constexpr int kMonthsInYear = 12;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, and back (the algorithms of
// Howard Hinnant's "chrono-Compatible Low-Level Date Algorithms").
long long daysFromCivil(int year, int month, int day) {
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

ClockTime civilFromDays(long long days) {
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    ClockTime clock;
    clock.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    clock.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    clock.year = static_cast<int>(yearOfEra + era * 400 + (clock.month <= 2 ? 1 : 0));
    return clock;
}

int daysInMonth(const ClockTime& clock) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int year = clock.year;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return clock.month == 2 && leap ? 29 : kDays[clock.month - 1];
}

// The departure's characters as ASCII where they have an ASCII twin: full-width digits, signs,
// colons and the letters T and Z; blanks of every kind as spaces.
std::string asciiDeparture(std::string_view text) {
    std::u32string characters = normalisedCharacters(decodeUtf8(text), false);
    for (char32_t& c : characters) {
        c = c == U'：'                              ? U':'
            : c == U'Ｔ' || c == U'ｔ' || c == U't' ? U'T'
            : c == U'Ｚ' || c == U'ｚ' || c == U'z' ? U'Z'
                                                    : c;
    }
    return encodeUtf8(trimmed(std::u32string_view{characters}));
}

// How many digits a field of the date takes.
struct Digits {
    std::size_t fewest;
    std::size_t most;
};

// Reads the digits at `at` into `value`.
bool readDigits(std::string_view text, std::size_t& at, Digits digits, int& value) {
    value = 0;
    std::size_t count = 0;
    while (at < text.size() && count < digits.most && text[at] >= '0' && text[at] <= '9') {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++count;
    }
    return count >= digits.fewest;
}

bool readCharacter(std::string_view text, std::size_t& at, char wanted) {
    if (at < text.size() && text[at] == wanted) {
        ++at;
        return true;
    }
    return false;
}

}  // namespace

std::string durationText(double hours, DurationForm form) {
    const auto minutes = static_cast<long long>(std::floor(hours * kMinutesInHour + 0.5));
    const long long wholeHours = minutes / kMinutesInHour;
    std::string text;
    if (form == DurationForm::Days && wholeHours >= kHoursInDay) {
        appendPadded(text, wholeHours / kHoursInDay);
        text += "天";
        appendPadded(text, wholeHours % kHoursInDay, 2);
    } else {
        appendPadded(text, wholeHours);
    }
    text += ':';
    appendPadded(text, minutes % kMinutesInHour, 2);
    return text;
}

long long clockSeconds(const ClockTime& clock) {
    return daysFromCivil(clock.year, clock.month, clock.day) * kSecondsInDay +
           static_cast<long long>(clock.hour * kMinutesInHour + clock.minute) * kSecondsInMinute +
           clock.second;
}

Expected<Departure, std::string> parseDeparture(std::string_view typed) {
    const std::string text = asciiDeparture(typed);
    const auto notTheForm = unexpected(std::string{});
    Departure departure;
    ClockTime& clock = departure.clock;
    std::size_t at = 0;
    const bool date = readDigits(text, at, {4, 4}, clock.year) && readCharacter(text, at, '-') &&
                      readDigits(text, at, {1, 2}, clock.month) && readCharacter(text, at, '-') &&
                      readDigits(text, at, {1, 2}, clock.day);
    if (!date || !(readCharacter(text, at, 'T') || readCharacter(text, at, ' '))) {
        return notTheForm;
    }
    if (!readDigits(text, at, {1, 2}, clock.hour) || !readCharacter(text, at, ':') ||
        !readDigits(text, at, {2, 2}, clock.minute)) {
        return notTheForm;
    }
    if (readCharacter(text, at, ':') && !readDigits(text, at, {2, 2}, clock.second)) {
        return notTheForm;
    }
    while (readCharacter(text, at, ' ')) {
    }
    int offsetMinutesPart = 0;
    if (readCharacter(text, at, 'Z')) {
        departure.offsetMinutes = 0;
    } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        const bool west = text[at++] == '-';
        int hours = 0;
        if (!readDigits(text, at, {2, 2}, hours) || !readCharacter(text, at, ':') ||
            !readDigits(text, at, {2, 2}, offsetMinutesPart)) {
            return notTheForm;
        }
        const int offset = hours * kMinutesInHour + offsetMinutesPart;
        departure.offsetMinutes = west ? -offset : offset;
    }
    if (at != text.size()) {
        return notTheForm;
    }
    const auto refused = [](std::string reason) { return unexpected(std::move(reason)); };
    if (clock.year < 1) {
        return refused("年须是 1 到 9999");
    }
    if (clock.month < 1 || clock.month > kMonthsInYear) {
        return refused("月须是 1 到 12");
    }
    if (clock.day < 1 || clock.day > daysInMonth(clock)) {
        return refused(std::to_string(clock.year) + " 年 " + std::to_string(clock.month) +
                       " 月没有 " + std::to_string(clock.day) + " 日");
    }
    if (clock.hour >= kHoursInDay) {
        return refused("时须是 0 到 23（午夜写作次日 00:00）");
    }
    if (clock.minute >= kMinutesInHour) {
        return refused("分须是 0 到 59");
    }
    if (clock.second >= kSecondsInMinute) {
        return refused("秒须是 0 到 59");
    }
    if (offsetMinutesPart >= kMinutesInHour) {
        return refused("时区的分须是 0 到 59");
    }
    if (std::abs(departure.offsetMinutes.value_or(0)) > kLargestOffsetMinutes) {
        return refused("时区须在 -14:00 到 +14:00 之间");
    }
    return departure;
}

std::optional<Departure> readDeparture(std::string_view text) {
    auto departure = parseDeparture(text);
    return departure ? std::optional<Departure>{departure.value()} : std::nullopt;
}

std::optional<std::string> arrivalText(const ClockTime& departure, int offsetMinutes,
                                       double hours) {
    return arrivalText(departure, offsetMinutes, hours, offsetMinutes);
}

std::optional<std::string> arrivalText(const ClockTime& departure, int offsetMinutes, double hours,
                                       int shownOffsetMinutes) {
    // One rounding, of the exact arrival: the departure's seconds count. The change of clock is
    // whole minutes, added as an integer before it, so that the departure's own clock rounds as
    // it always did.
    const long long shift =
        static_cast<long long>(shownOffsetMinutes - offsetMinutes) * kSecondsInMinute;
    const double seconds = static_cast<double>(clockSeconds(departure) + shift) + hours * 3600;
    // The first moment that rounds to 10000-01-01T00:00, compared before the conversion, which a
    // passage of 10^15 hours would overflow.
    const double tooLate = static_cast<double>(clockSeconds({9999, 12, 31, 23, 59, 30}));
    if (!(seconds < tooLate)) {
        return std::nullopt;
    }
    const auto minutes = static_cast<long long>(std::floor(seconds / kSecondsInMinute + 0.5));
    const long long days = (minutes >= 0 ? minutes : minutes - 1439) / 1440;
    const long long minuteOfDay = minutes - days * 1440;
    const ClockTime arrival = civilFromDays(days);
    const int offset = std::abs(shownOffsetMinutes);
    std::string text;
    appendPadded(text, arrival.year, 4);
    text += '-';
    appendPadded(text, arrival.month, 2);
    text += '-';
    appendPadded(text, arrival.day, 2);
    text += 'T';
    appendPadded(text, minuteOfDay / kMinutesInHour, 2);
    text += ':';
    appendPadded(text, minuteOfDay % kMinutesInHour, 2);
    text += shownOffsetMinutes < 0 ? '-' : '+';
    appendPadded(text, offset / kMinutesInHour, 2);
    text += ':';
    appendPadded(text, offset % kMinutesInHour, 2);
    return text;
}

}  // namespace orvanto::passage
