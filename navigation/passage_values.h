// The values a passage is planned with, as a navigator types them into a box or an option: a course
// and the north it is counted from, a distance, a speed, a time, the step between a great circle's
// waypoints, a current, a limiting latitude. Each is read with the entries' characters
// (notation/typed_number.h): full-width digits, signs and points, blanks, the degree marks ° and 度
// with minutes and seconds ("5°30′"). A unit or a letter stands after the number, with or without
// a blank, ASCII letters in either case and in full width ("300 NMI", "241ｔ").
//
// Each reader gives nothing for a text that is not one value of its forms or lies outside its
// range: NaN, infinity, an exponent, a second number, text before the number or after the unit.
#pragma once

#include <optional>
#include <string_view>

namespace orvanto::navigation {

// The north a course is counted from: true north, the compass rose's magnetic north (true minus
// the variation), or the ship's compass (magnetic minus the deviation).
enum class CourseReference { True, Magnetic, Compass };

struct TypedCourse {
    double degrees = 0;  // 0 <= degrees < 360
    CourseReference reference = CourseReference::True;
};

// 0 to 360 degrees, 360 being north (read as 0), then optionally T (true, the default), M
// (magnetic) or C (compass): "241", "241°T", "236M", "２４１".
std::optional<TypedCourse> readCourse(std::string_view text);

// A distance in nautical miles, 0 to 20,000, with an optional unit nmi or 海里; or in kilometres
// with km or 公里, 0 to 37,040 (the same 20,000 nautical miles). In nautical miles.
std::optional<double> readDistance(std::string_view text);

// Knots through the water, more than 0 and at most 100, with an optional kn, kt or 节.
std::optional<double> readSpeed(std::string_view text);

// Hours, 0 to 10,000: decimal hours ("6.5", with an optional h or 小时), or whole hours and minutes
// below 60 after a colon, ASCII or full width ("6:30", "6：30").
std::optional<double> readHours(std::string_view text);

// How far apart a great circle's waypoints (分点) are: at every meridian that is a multiple of a
// longitude interval, or at every so many nautical miles along it.
struct WaypointStep {
    bool alongMeridians = true;  // a longitude interval in degrees, else a distance
    double degrees = 0;          // the interval, 0.1 to 90
    double nauticalMiles = 0;    // the distance, 1 to 10,000
};

// A longitude interval with its degree mark or unit ("5°", "5度", "5deg") or a distance with its
// unit ("300nmi", "300海里", "500km", "500公里"); a bare number is neither.
std::optional<WaypointStep> readStep(std::string_view text);

// A current: the direction it flows toward (its set, 流向), degrees true, and its rate (its drift,
// 流速), knots.
struct Current {
    double set = 0;    // 0 <= set < 360
    double drift = 0;  // 0 to 20
};

// "SET/DRIFT" with an ASCII or full-width slash: "045/1.5", "045°／1.5kn"; 360 is read as 0.
std::optional<Current> readCurrent(std::string_view text);

// The latitude composite sailing keeps within, north and south: more than 0 and less than 90
// degrees, without a sign or a side ("60", "60°", "45°30′").
std::optional<double> readLimitLatitude(std::string_view text);

}  // namespace orvanto::navigation
