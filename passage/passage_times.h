// The times of a passage: how long a leg takes ("123:05", hours and minutes), the departure as the
// navigator writes it, and the arrival (ETA) in ISO 8601 local time with the departure's offset
// from UTC ("2026-12-09T14:05+08:00").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/expected.h"

namespace orvanto::passage {

enum class DurationForm {
    Hours,  // "376:59": the hours passing 24 as they need, for a spreadsheet to read back
    Days,   // "15天16:59" from a day on, "16:59" below: for a person
};

// Hours and two digits of minutes ("123:05"), or days and the time of day ("5天03:05"), the
// minutes rounded half up. `hours` is at least 0.
std::string durationText(double hours, DurationForm form = DurationForm::Hours);

// A date and a time of day as a clock reads them, in no particular time zone.
struct ClockTime {
    int year = 1970;  // 1 to 9999
    int month = 1;    // 1 to 12
    int day = 1;      // 1 to the month's last
    int hour = 0;     // 0 to 23
    int minute = 0;   // 0 to 59
    int second = 0;   // 0 to 59
};

struct Departure {
    ClockTime clock;
    // Minutes east of UTC (+08:00 is 480, Z is 0), -14:00 to +14:00; nothing when the text gave no
    // offset, for the front end to take its machine's at that moment.
    std::optional<int> offsetMinutes;
};

// "YYYY-MM-DD" and the time after a T or a blank, "HH:MM" or "HH:MM:SS", then "Z", "+HH:MM" or
// "-HH:MM" or nothing: "2026-12-08T08:00+08:00", "2026-12-08 08:00". Full-width digits, colons
// and signs are read too. A text of that form naming a moment no clock shows is refused with the
// reason, for a message to put after the text: "2026 年 2 月没有 29 日", "时须是 0 到 23（午夜写作
// 次日 00:00）", "时区须在 -14:00 到 +14:00 之间"; any other text with an empty reason.
Expected<Departure, std::string> parseDeparture(std::string_view text);
// The same without the reason.
std::optional<Departure> readDeparture(std::string_view text);

// The clock time `hours` after `departure`, rounded half up to the minute, with the offset:
// "2026-12-09T14:05+08:00" (a zero offset is +00:00). Nothing when that is after 9999-12-31 (a
// year of five digits is no ISO 8601 date a program reads back).
std::optional<std::string> arrivalText(const ClockTime& departure, int offsetMinutes, double hours);
// The same on another clock, `shownOffsetMinutes` east of UTC: "2026-12-09T15:05+09:00".
std::optional<std::string> arrivalText(const ClockTime& departure, int offsetMinutes, double hours,
                                       int shownOffsetMinutes);

// Seconds from 1970-01-01 00:00 to the clock time on the same clock (negative before it).
long long clockSeconds(const ClockTime& clock);

}  // namespace orvanto::passage
