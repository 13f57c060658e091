#include "cli/local_time.h"

#include <ctime>

namespace orvanto::cli {

std::optional<int> localOffsetMinutes(const navigation::ClockTime& clock) {
    constexpr int kYearZero = 1900;
    constexpr long long kSecondsInMinute = 60;
    std::tm local{};
    local.tm_year = clock.year - kYearZero;
    local.tm_mon = clock.month - 1;
    local.tm_mday = clock.day;
    local.tm_hour = clock.hour;
    local.tm_min = clock.minute;
    local.tm_sec = clock.second;
    local.tm_isdst = -1;  // whatever the zone's rule says for that day
    const std::time_t utc = std::mktime(&local);
    if (utc == static_cast<std::time_t>(-1)) {
        return std::nullopt;
    }
    // The clock time read as if it were UTC, less the moment it is: the zone's offset.
    return static_cast<int>((navigation::clockSeconds(clock) - static_cast<long long>(utc)) /
                            kSecondsInMinute);
}

}  // namespace orvanto::cli
