// What the fix command tells of a fix from landmarks, for a person or as one line of tab-separated
// fields: the bytes a front end prints.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "navigation/position_fix.h"
#include "passage/fix_observations.h"
#include "passage/table_format.h"

namespace orvanto::passage {

// A cut under this or over its supplement leaves the fix uncertain; a hat wider than
// kWideHatMiles too.
inline constexpr double kPoorestCut = 30;
inline constexpr double kWideHatMiles = 1;

struct FixNotes {
    std::vector<ReadObservation> observations;  // their bearings already true
    std::optional<ChartPoint> deadReckoning;
    std::string time;  // of the fix, the last observation's; empty without times
};

// tsv: fix_lat, fix_lon, fix_lat_deg, fix_lon_deg, cut_angle, hat_nmi, then each crossing's
// lat_deg and lon_deg (the fix's fields empty when two lines cross twice without a dead
// reckoning; hat_nmi empty for two lines). The text form: each line of position as read, the
// crossings, the fix with its time, the angle of cut, the warnings, and the dead reckoning's offset
// (流向, 流程) from it to the fix. Each line ends in "\n".
std::string fixReport(const navigation::PositionFix& fix, const FixNotes& notes,
                      TableFormat format);

}  // namespace orvanto::passage
