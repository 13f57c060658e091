// Dead reckoning (推算船位): the position after steering a course for a distance, along the rhumb
// line (the course held, what a ship steering it does) and along the great circle that starts on
// that course, with the great circle's course there. With a current the ship's run through the
// water and the current's drift over the same hours add up to its run over ground.
#pragma once

#include <optional>
#include <string>

#include "geometry/chart_point.h"
#include "navigation/compass_error.h"
#include "navigation/sailing_method.h"
#include "navigation/table_format.h"
#include "notation/entry_mode.h"
#include "text/expected.h"

namespace orvanto::navigation {

struct Reckoning {
    ChartPoint rhumb;        // longitude within -180..180
    ChartPoint greatCircle;  // longitude within -180..180
    double finalCourse = 0;  // the great circle's, 0 <= course < 360
};

// From `start` on the run: the message when the rhumb line would reach or pass a pole first.
Expected<Reckoning, std::string> reckon(const ChartPoint& start, const Run& run,
                                        SailingMethod method);

// How the reckoning came about, for the text form.
struct ReckoningNotes {
    ChartPoint start;  // shown as read, in the mode it was typed in, on the first line
    EntryMode startMode = EntryMode::Minutes;
    SailingMethod method = SailingMethod::Wgs84;
    CompassCorrection correction;  // for the final course's magnetic and compass courses
    Run run;                       // the run reckoned
    bool overGround = false;       // the run is over ground, a current's drift added
};

// One line of nine tab-separated fields: rhumb_lat, rhumb_lon, gc_lat, gc_lon (position_text.h),
// gc_course_final, then rhumb_lat_deg, rhumb_lon_deg, gc_lat_deg, gc_lon_deg in decimal degrees;
// or the text form: the start as read ("起点 31°06.00′N 122°40.00′E"), then a line for each line
// of position. Each line ends in "\n".
std::string reckoningReport(const Reckoning& reckoning, const ReckoningNotes& notes,
                            TableFormat format);

}  // namespace orvanto::navigation
