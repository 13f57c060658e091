// What the reckon command tells of a dead-reckoning position, for a person or as one line of
// tab-separated fields: the bytes a front end prints.
#pragma once

#include <string>

#include "geometry/chart_point.h"
#include "navigation/compass_error.h"
#include "navigation/reckoning.h"
#include "navigation/sailing_method.h"
#include "notation/entry_mode.h"
#include "passage/course_report.h"
#include "passage/table_format.h"

namespace orvanto::passage {

// How the reckoning came about, for the text form.
struct ReckoningNotes {
    ChartPoint start;  // shown as read, in the mode it was typed in, on the first line
    EntryMode startMode = EntryMode::Minutes;
    navigation::SailingMethod method = navigation::SailingMethod::Wgs84;
    navigation::CompassCorrection correction;  // for the final course's magnetic and compass
                                               // courses
    navigation::Run run;                       // the run reckoned
    bool overGround = false;                   // the run is over ground, a current's drift added
    CourseForm courseForm = CourseForm::Degrees;
    bool showWork = false;  // with the textbook's methods, the rhumb line's worked solution
};

// One line of nine tab-separated fields: rhumb_lat, rhumb_lon, gc_lat, gc_lon (position_text.h),
// gc_course_final, then rhumb_lat_deg, rhumb_lon_deg, gc_lat_deg, gc_lon_deg in decimal degrees;
// or the text form: the start as read ("起点 31°06.00′N 122°40.00′E"), then a line for each line
// of position. Each line ends in "\n".
std::string reckoningReport(const navigation::Reckoning& reckoning, const ReckoningNotes& notes,
                            TableFormat format);

}  // namespace orvanto::passage
