// What a radar plot tells, for a person or as one line of tab-separated fields: the bytes every
// front end shows, so that the command line and the page say the same.
#pragma once

#include <optional>
#include <string>

#include "navigation/compass_error.h"
#include "passage/table_format.h"
#include "passage/target_plot.h"

namespace orvanto::passage {

// The text form: own ship and the plots, relative and true motion, CPA, the bow crossing, the
// DCPA under the limit or 正在驶离, the fit's warning, then the alterations when asked; or the
// fields target_course, target_speed, relative_course, relative_speed, dcpa_nmi, tcpa_min,
// cpa_time, cpa_bearing, bcr_nmi (negative for a crossing astern), bct_min, then with an action
// new_course_starboard, new_course_port, new_speed; a field is empty where there is no such value.
// Each line ends in "\n".
std::string targetPlotReport(const TargetPlot& plan,
                             const navigation::CompassCorrection& correction, TableFormat format);

// The warning that three or more plots are not on one line, when they are not.
std::optional<std::string> offLineWarning(const TargetPlot& plan);

// A clock time of the watch, minutes from midnight (any day) to "08:05", rounded to the minute.
std::string clockText(double minutes);

}  // namespace orvanto::passage
