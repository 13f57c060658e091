// How a position is written for a navigator: in degrees and minutes with a hemisphere letter, as
// the calculator reads it back in 分 mode ("2128.30N", "11732.50W", "005.00S" for 0°05′S), and
// in decimal degrees for a spreadsheet ("21.471667").
#pragma once

#include <string>

#include "geometry/chart_point.h"
#include "notation/entry_mode.h"

namespace orvanto::passage {

// Degrees without leading zeros, two digits of minutes, a point and two decimals of minutes, then
// N or S: the minutes rounded half up, a carry adding a degree (59.995′ is the next degree). A
// latitude that rounds to zero is 000.00N.
std::string latitudeText(double degrees);

// The same with E or W, the longitude first brought into -180 < λ <= 180: a west longitude that
// rounds to 180° is 18000.00E, and one that rounds to zero 000.00E.
std::string longitudeText(double degrees);

// Signed decimal degrees with six fixed decimals ("31.500000", "-0.250000"), a longitude brought
// into -180 < λ <= 180 first.
std::string latitudeDegreesText(double degrees);
std::string longitudeDegreesText(double degrees);

// A position shown back as it was read, so that a user sees at once how an entry was taken
// ("31.1N" in 分 is 0°31.10′N): the degree mark, then minutes to 0.01′ in 分, or whole minutes and
// seconds to 0.01″ without trailing zeros in 秒, and the hemisphere: "31°06.00′N 122°40.00′E",
// "42°11′25″N 102°11′25″E". The longitude as typed: 180° west stays west.
std::string positionAsRead(const ChartPoint& point, EntryMode mode);

}  // namespace orvanto::passage
