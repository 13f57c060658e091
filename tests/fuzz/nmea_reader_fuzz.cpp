// The NMEA reader over any bytes: it reads waypoints or says what is wrong, never crashes, and
// never gives a route without waypoints or a waypoint without a position.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "passage/nmea_waypoints.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view nmea{reinterpret_cast<const char*>(data), size};
    const auto read = orvanto::passage::waypointsFromNmea(nmea);
    if (read) {
        if (read.value().waypoints.empty()) {
            std::abort();  // a file without waypoints is refused
        }
        for (const auto& waypoint : read.value().waypoints) {
            if (waypoint.entries.latitude.empty() || waypoint.entries.longitude.empty()) {
                std::abort();
            }
        }
    }
    return 0;
}
