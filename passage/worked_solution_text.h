// A worked solution as the textbook sets it out, under the answer of course, reckon and route with
// --textbook --show-work (列出计算过程) and on the page: one step a line, the quantity's Chinese
// name and symbol, the formula, then its value rounded for display only — angles and arcs to
// 0.01′, ratios to six decimals, distances to 0.001 nautical miles, the course in the quadrantal
// form to 0.1′ and as 000–360 to 0.1°. Each line ends in "\n".
#pragma once

#include <string>

#include "navigation/worked_sailings.h"
#include "passage/sailed_route.h"

namespace orvanto::passage {

// "计算过程（墨卡托航法）：" or "（中分纬度航法）" and the steps of the rhumb line.
std::string mercatorWork(const navigation::MercatorSteps& steps);

// "计算过程（大圆航线）：": the spherical triangle, the distance, the initial course, the vertex
// and each 分点.
std::string greatCircleWork(const navigation::GreatCircleSteps& steps);

// "计算过程（推算船位，墨卡托航法）：" or "（…中分纬度航法）" and the position reached.
std::string reckoningWork(const navigation::ReckoningSteps& steps);

// The worked solutions of a leg, the great circle's then the rhumb line's, each left out where its
// sums are undetermined (a pole, one point, antipodes).
std::string legWork(const ChartPoint& from, const ChartPoint& to,
                    const std::optional<navigation::WaypointStep>& every);

// route --show-work: "航段 1：A → B" and the leg's worked solutions, one block a leg, with each
// 分点 when the route is cut at meridians; a leg whose waypoints do not read is left out.
std::string routeWork(const SailedRoute& route, const SailingPlan& plan);

// Rounded as the steps show them, for a test that reads the numbers back: "37.00′S".
std::string arcMinutesText(double minutes, const char* positive, const char* negative);
// "53°25.70′", the hemisphere or side after it when given.
std::string angleText(double degrees, const char* side = "");

}  // namespace orvanto::passage
