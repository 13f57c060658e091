#include "cli/local_time.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <vector>

namespace orvanto::cli {
namespace {

constexpr long long kSecondsInDay = 86400;
constexpr int kSecondsInMinute = 60;

// The zone's offset in seconds east at a moment; nothing when the system cannot tell.
std::optional<long long> offsetAt(long long moment) {
    const auto time = static_cast<std::time_t>(moment);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return std::nullopt;
    }
    return static_cast<long long>(local.tm_gmtoff);
}

// "2026-03-08 02:00": the clock time `seconds` counts from 1970 (clockSeconds).
std::string clockText(long long seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm clock{};
    gmtime_r(&time, &clock);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", clock.tm_year + 1900,
                  clock.tm_mon + 1, clock.tm_mday, clock.tm_hour, clock.tm_min);
    return text;
}

// "02:00", the time of day alone.
std::string timeOfDay(long long seconds) {
    return clockText(seconds).substr(11);
}

// "+08:00".
std::string offsetText(long long seconds) {
    const long long minutes = std::llabs(seconds) / kSecondsInMinute;
    char text[48];
    std::snprintf(text, sizeof text, "%c%02lld:%02lld", seconds < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return text;
}

// The zone's change of offset between two moments of different offsets: its moment, and the
// offsets before and after.
struct Change {
    long long moment;
    long long before;
    long long after;
};

std::optional<Change> changeBetween(long long early, long long late) {
    const auto before = offsetAt(early);
    const auto after = offsetAt(late);
    if (!before || !after) {
        return std::nullopt;
    }
    // The first moment with another offset than `early`'s.
    while (late - early > 1) {
        const long long middle = early + (late - early) / 2;
        const auto offset = offsetAt(middle);
        if (!offset) {
            return std::nullopt;
        }
        (*offset == *before ? early : late) = middle;
    }
    return Change{late, *before, *after};
}

}  // namespace

Expected<LocalOffset, std::string> localOffset(const passage::ClockTime& clock) {
    const std::string unknown =
        "无法确定本机时区在出发时间的时差，请在 --depart 中写明时区，如 +08:00";
    // The clock time read as if it were UTC; the moment it is lies within a day of it.
    const long long wall = passage::clockSeconds(clock);
    std::vector<long long> offsets;
    for (const long long moment : {wall - kSecondsInDay, wall, wall + kSecondsInDay}) {
        const auto offset = offsetAt(moment);
        if (!offset) {
            return unexpected(unknown);
        }
        offsets.push_back(*offset);
    }
    // The offsets at which the clock showed that time: one, two where it was turned back, none
    // where it was put forward.
    std::vector<long long> showing;
    for (const long long offset : offsets) {
        if (offsetAt(wall - offset) == offset &&
            std::find(showing.begin(), showing.end(), offset) == showing.end()) {
            showing.push_back(offset);
        }
    }
    const auto change = changeBetween(wall - kSecondsInDay, wall + kSecondsInDay);
    const std::string when = clockText(wall);
    if (showing.empty()) {
        if (!change) {
            return unexpected(unknown);
        }
        return unexpected("本机时区没有 " + when + " 这个时间：时钟在 " +
                          timeOfDay(change->moment + change->before) + " 拨快到 " +
                          timeOfDay(change->moment + change->after) + "（如夏令时开始），" +
                          "其间的时间都被跳过。请在 --depart 中写明时区，如 " +
                          offsetText(change->before) + " 或 " + offsetText(change->after));
    }
    // The earlier of two moments is the one with the larger offset east.
    const long long taken = *std::max_element(showing.begin(), showing.end());
    LocalOffset local{static_cast<int>(taken / kSecondsInMinute), {}};
    if (showing.size() > 1 && change) {
        local.note = "本机时区的 " + when + " 出现两次：时钟在 " +
                     timeOfDay(change->moment + change->before) + " 拨回到 " +
                     timeOfDay(change->moment + change->after) +
                     "（如夏令时结束）。按较早的一次（" + offsetText(taken) +
                     "）计算；要按较晚的一次，请在 --depart 中写明时区 " +
                     offsetText(change->after);
    }
    return local;
}

}  // namespace orvanto::cli
