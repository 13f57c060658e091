// The fix's observation readers over any text, and what they read through the whole fix: the
// first byte picks the kind (bearing, range, horizontal angle), a position, a run or a time; the
// next two observations of that kind are cut at a newline. A reader gives a value within its range
// or words of what is wrong; the fix gives its crossings or names two lines that never cross.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "navigation/position_fix.h"
#include "passage/fix_observations.h"

namespace {

using namespace orvanto::passage;
using orvanto::navigation::PositionLineKind;

void check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool onTheGlobe(const orvanto::ChartPoint& point) {
    return std::fabs(point.latitude) <= 90 && std::fabs(point.longitude) <= 180;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned which = data[0] % 6U;
    const orvanto::EntryMode mode =
        (data[0] & 0x80U) != 0 ? orvanto::EntryMode::Seconds : orvanto::EntryMode::Minutes;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (which == 3) {
        if (const auto position = readPosition(text, mode)) {
            check(onTheGlobe(position.value()));
        }
        return 0;
    }
    if (which == 4) {
        if (const auto run = readShipRun(text)) {
            check(run->course.degrees >= 0 && run->course.degrees < 360);
            check(run->speed > 0 && run->speed <= 100);
        }
        return 0;
    }
    const auto kind = which == 5 ? PositionLineKind::Bearing : static_cast<PositionLineKind>(which);
    std::vector<orvanto::navigation::PositionLine> lines;
    std::vector<ObservationTime> times;
    const std::size_t cut = std::min(text.find('\n'), text.size());
    for (const std::string_view part :
         {text.substr(0, cut), text.substr(std::min(cut + 1, text.size()))}) {
        const auto read = readObservation(kind, part, mode);
        if (!read) {
            check(!read.error().empty());
            continue;
        }
        const auto& line = read.value().line;
        check(onTheGlobe(line.landmark) && onTheGlobe(line.second));
        check(line.value >= 0 && line.value <= 20000);
        lines.push_back(line);
        if (read.value().time) {
            times.push_back(*read.value().time);
        }
    }
    if (const auto minutes = elapsedMinutes(times)) {
        for (const double elapsed : minutes.value()) {
            check(elapsed >= 0 && elapsed <= 1440);
        }
    }
    if (lines.size() == 2) {
        if (const auto fix = orvanto::navigation::fixPosition(lines, std::nullopt)) {
            for (const auto& crossing : fix.value().crossings) {
                check(std::fabs(crossing.position.latitude) <= 90);
                check(crossing.cut >= 0 && crossing.cut <= 180);
            }
        }
    }
    return 0;
}
