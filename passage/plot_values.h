// The values of a radar plot as a watch officer types them: a ship's course and speed
// ("045/12", the course as a reckoning reads it), an observation of a target by bearing, range and
// clock time ("123.5/6.2@08:12"), the clock time of an action, and a passing distance. Numbers are
// read with the entries' characters (notation/typed_number.h): full-width digits, the full-width
// slash ／, at-sign ＠ and colon ：. Each reader gives nothing for a text that is not one value of
// its forms or lies outside its range.
#pragma once

#include <optional>
#include <string_view>

#include "navigation/compass_error.h"
#include "navigation/radar_plot.h"

namespace orvanto::passage {

// A course as readCourse reads it (T, M or C) and a speed in knots, 0 (stopped) to 100, with an
// optional kn, kt or 节: "045/12", "236M/10kn", "０４５／１２".
struct TypedMotion {
    navigation::TypedCourse course;
    double speed = 0;
};
std::optional<TypedMotion> readMotion(std::string_view text);

// The watch's clock: "08:12", "8:12", "08:12:30", "0812" (hours 0 to 23), in minutes of the day.
std::optional<double> readClockTime(std::string_view text);

// "BEARING/RANGE@TIME": a true bearing 0 to 360 (optionally with T), a range 0 to 100 nautical
// miles (optionally with nmi or 海里) and a clock time; the minutes are those of the day.
std::optional<navigation::Observation> readObservation(std::string_view text);

// A passing distance or a limit: more than 0 and at most 50 nautical miles, with an optional nmi
// or 海里.
std::optional<double> readPassingDistance(std::string_view text);

// What each value may be, in the words a message uses after "须是" and before the text that did
// not read, as value_forms.h words the passage's values.
inline constexpr std::string_view kMotionForms =
    "航向/航速：航向 0 到 360，可标 T、M 或 C（同 reckon 的航向），航速 0 到 100 节，如 045/12、"
    "236M/10kn";
inline constexpr std::string_view kObservationForms =
    "方位/距离@时间：真方位 0 到 360 度、距离 0 到 100 海里、时间 时:分，如 123/6.2@08:12 或 "
    "123/6.2@0812（斜线、@ 和冒号也可用全角）";
inline constexpr std::string_view kClockForms = "时:分（或 时:分:秒、四位数字），如 08:20、0820";
inline constexpr std::string_view kPassingForms = "大于 0、不超过 50 的海里数，如 2 或 1.5nmi";

}  // namespace orvanto::passage
