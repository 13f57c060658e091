// How a leg is sailed when its waypoint file says so: the optional column leg (or 航法) gives, on
// the waypoint where a leg starts, RL or 恒向线 for the rhumb line and GC or 大圆 for the great
// circle (either case, full-width letters too, blanks around). Empty leaves the leg to the plan:
// a rhumb line, or its great circle cut into 分点 with --every and kept within a limiting latitude.
// The same two words name a leg in an ECDIS's route file (RTZ's Loxodrome and Orthodrome).
#pragma once

#include <optional>
#include <string_view>

namespace orvanto::passage {

enum class LegSailing { RhumbLine, GreatCircle };

// The sailing a leg field names; nothing for a text that names none (an empty one included).
std::optional<LegSailing> legSailingNamed(std::string_view text);

// How a waypoint file writes it back: "RL" or "GC".
std::string_view legSailingCode(LegSailing sailing);

}  // namespace orvanto::passage
