// The RTZ reader over any bytes: it reads waypoints or says what is wrong, never crashes, and every
// position it gives reads as degrees within range.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "passage/rtz_waypoints.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view rtz{reinterpret_cast<const char*>(data), size};
    const auto read = orvanto::passage::waypointsFromRtz(rtz);
    if (read && read.value().empty()) {
        std::abort();  // a file without waypoints is refused
    }
    return 0;
}
