// The values a passage is planned with, as a navigator types them into a box or an option: a course
// and the north it is counted from, a distance, a speed, a time, the step between a great circle's
// waypoints, a current, a limiting latitude, a variation. Each is read with the entries' characters
// (notation/typed_number.h): full-width digits, signs and points, blanks, the degree marks ° and 度
// with minutes and seconds ("5°30′"). A unit or a letter stands after the number, with or without
// a blank, ASCII letters in either case and in full width ("300 NMI", "241ｔ").
//
// Each reader gives nothing for a text that is not one value of its forms or lies outside its
// range: NaN, infinity, an exponent, a second number, text before the number or after the unit.
#pragma once

#include <optional>
#include <string_view>

#include "navigation/compass_error.h"
#include "navigation/current_triangle.h"
#include "navigation/great_circles.h"

namespace orvanto::passage {

// 0 to 360 degrees, 360 being north (read as 0), then optionally T (true, the default), M
// (magnetic) or C (compass): "241", "241°T", "236M", "２４１"; or a true course in the textbook's
// quadrantal form (quadrantal_course.h): "S53°26′E", "N45E".
std::optional<navigation::TypedCourse> readCourse(std::string_view text);

// A distance in nautical miles, 0 to 20,000, with an optional unit nmi or 海里; or in kilometres
// with km or 公里, 0 to 37,040 (the same 20,000 nautical miles). In nautical miles.
std::optional<double> readDistance(std::string_view text);

// Knots through the water, more than 0 and at most 100, with an optional kn, kt or 节.
std::optional<double> readSpeed(std::string_view text);

// Hours, 0 to 10,000: decimal hours ("6.5", with an optional h or 小时), or whole hours and minutes
// below 60 after a colon, ASCII or full width ("6:30", "6：30").
std::optional<double> readHours(std::string_view text);

// A longitude interval with its degree mark or unit ("5°", "5度", "5deg") or a distance with its
// unit ("300nmi", "300海里", "500km", "500公里"); a bare number is neither.
std::optional<navigation::WaypointStep> readStep(std::string_view text);

// "SET/DRIFT" with an ASCII or full-width slash: "045/1.5", "045°／1.5kn"; 360 is read as 0.
std::optional<navigation::Current> readCurrent(std::string_view text);

// The magnetic variation a navigator reads off the chart's compass rose, in degrees, west negative
// and east positive, typed by a sign ("-3.5", "2") or by a side in front or after ("3.5W", "W3.5",
// "西3.5", "5°30′E"), not both, within -180..180.
std::optional<double> readVariation(std::string_view text);

// The compass's deviation (自差), read the same way.
std::optional<double> readDeviation(std::string_view text);

// The latitude composite sailing keeps within, north and south: more than 0 and less than 90
// degrees, without a sign or a side ("60", "60°", "45°30′").
std::optional<double> readLimitLatitude(std::string_view text);

}  // namespace orvanto::passage
