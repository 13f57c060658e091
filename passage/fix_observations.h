// The observations of a fix as a navigator types them: a landmark's position in chart notation and
// what was measured of it, "LAT,LON,BEARING", "LAT,LON,DISTANCE", "LAT1,LON1,LAT2,LON2,ANGLE",
// each optionally "@TIME" ("08:30", or a date and time as a departure is written); commas ASCII or
// full width. Bearings as a reckoning's course (045, 045T, 040M, 042C), distances as its distance,
// angles 0 to 180 degrees. The running fix's times brought onto one clock.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "navigation/compass_error.h"
#include "navigation/position_lines.h"
#include "notation/entry_mode.h"
#include "text/expected.h"

namespace orvanto::passage {

struct ObservationTime {
    bool dated = false;  // a date and time; else a time of day
    double minutes = 0;  // of the day, or from 1970 in UTC (the local clock without an offset)
    std::string text;    // as the fix's line writes it: "08:30", "2026-12-08 08:30"
};

struct ReadObservation {
    navigation::PositionLine line;  // its value as typed: a magnetic bearing not yet true
    std::optional<navigation::TypedCourse> bearing;
    std::optional<ObservationTime> time;
    EntryMode mode = EntryMode::Minutes;
};

// One observation of a kind, its landmarks' entries in `mode`; what is wrong in words that follow
// the observation's name ("的物标纬度的输入…", "的方位“x”无法识别：应为 …").
Expected<ReadObservation, std::string> readObservation(navigation::PositionLineKind kind,
                                                       std::string_view text, EntryMode mode);

// The parts of an observation, for a front end with a box for each, and the part a problem is in.
enum class ObservationPart {
    Form,  // the text as a whole: its fields do not count up
    Latitude1,
    Longitude1,
    Latitude2,  // a horizontal angle's second landmark
    Longitude2,
    Value,
    Time,
};
struct ObservationParts {
    std::string_view latitude1;
    std::string_view longitude1;
    std::string_view latitude2;  // read for a horizontal angle only
    std::string_view longitude2;
    std::string_view value;
    std::optional<std::string_view> time;
};
struct ObservationProblem {
    ObservationPart part = ObservationPart::Form;
    std::string text;  // in the words readObservation gives
};

// The observation from its parts, with the checks and words of readObservation, which reads its
// text through it: the time first, then the landmarks and the value.
Expected<ReadObservation, ObservationProblem> readObservationParts(
    navigation::PositionLineKind kind, const ObservationParts& parts, EntryMode mode);

// A dead-reckoning position "LAT,LON".
Expected<ChartPoint, std::string> readPosition(std::string_view text, EntryMode mode);
// The same from its two boxes: the part is Latitude1 or Longitude1.
Expected<ChartPoint, ObservationProblem> readPositionParts(std::string_view latitude,
                                                           std::string_view longitude,
                                                           EntryMode mode);

// "COURSE/SPEED": a course as a reckoning's and a speed in knots.
struct ShipRun {
    navigation::TypedCourse course;
    double speed = 0;
};
std::optional<ShipRun> readShipRun(std::string_view text);

// The minutes of each observation after the first, on one clock: a time of day earlier than the
// one before is on the next day. What is wrong otherwise (a dated time before the one before it,
// a span over 24 hours), in words, with the observation (from 0) whose time it is.
struct TimeProblem {
    std::size_t observation = 0;
    std::string text;
};
Expected<std::vector<double>, TimeProblem> elapsedMinutes(std::span<const ObservationTime> times);

}  // namespace orvanto::passage
