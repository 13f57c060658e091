// The machine's time zone, for a departure written without an offset from UTC.
#pragma once

#include <optional>

#include "navigation/passage_times.h"

namespace orvanto::cli {

// The offset from UTC, in minutes east, of the machine's local time at that clock time (its
// daylight saving time included); nothing when the system cannot tell.
std::optional<int> localOffsetMinutes(const navigation::ClockTime& clock);

}  // namespace orvanto::cli
