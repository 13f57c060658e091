// The machine's time zone, for a departure written without an offset from UTC.
#pragma once

#include <string>

#include "passage/passage_times.h"
#include "text/expected.h"

namespace orvanto::cli {

struct LocalOffset {
    int minutes = 0;  // east of UTC, daylight saving time included
    // When the clock time came twice (the clock turned back), that the earlier was taken, for
    // standard error; empty otherwise.
    std::string note;
};

// The offset from UTC of the machine's local time at that clock time. A clock time the clock
// skipped (put forward when daylight saving time starts) is refused, naming the gap; one it showed
// twice (turned back when it ends) is the earlier. What is wrong, for the user, otherwise.
Expected<LocalOffset, std::string> localOffset(const passage::ClockTime& clock);

}  // namespace orvanto::cli
