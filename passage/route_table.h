// The route's table: a header, a row for each leg or each part of a leg as it is sailed
// (sailed_route.h), and a last row 合计 with the totals, aligned for a person (text) or delimited
// for a spreadsheet (CSV, TSV). The columns, those in brackets only with what adds them:
//
//   from, to, to_lat, to_lon, rhumb_course, [rhumb_course_m, [rhumb_course_c,]] rhumb_nmi,
//   gc_course_initial, [gc_course_initial_m, [gc_course_initial_c,]] gc_nmi, total_nmi,
//   [course_to_steer, [course_to_steer_m, [course_to_steer_c,]] sog,] [hours, total_hours,
//   [eta,]] error
//
// to_lat and to_lon are where the row ends (position_text.h). A whole leg fills both measures, a
// rhumb row the rhumb_* columns only, a great-circle row the gc_* ones only; total_nmi is the
// running sum of the distance each row fills. Every distance is one that can be sailed: the
// calculator's chord estimate, far from any track on a long leg, has no place here. The _m
// columns come with a variation, the _c ones with a deviation or a deviation card (each at its own
// magnetic course); course_to_steer (the heading through the water that makes good the row's rhumb
// course) and sog with a current; hours (the row's distance over the speed, or over sog),
// total_hours and eta with speeds, eta with a departure. A row whose arrival would fall after
// 9999-12-31 fails.
//
// The text form heads the columns in Chinese (恒向线航程（海里）, 预计到达时间, …), writes a
// duration of a day or more with its days (15天16:59, where CSV and TSV write 376:59), adds a
// 罗经差 column before 说明 with a card, and after the table states the compass error of a single
// deviation and the textbook's methods.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "navigation/compass_error.h"
#include "passage/passage_times.h"
#include "passage/passage_values.h"
#include "passage/sailed_route.h"
#include "passage/table_format.h"

namespace orvanto::passage {

struct RouteTableSettings {
    navigation::CompassCorrection correction;
    std::optional<navigation::Current> current;
    std::optional<double> speed;  // knots for every leg whose first waypoint gives none
    bool times = false;           // hours and total_hours: with a speed or a speed column
    // The departure, its offset from UTC known: adds eta.
    std::optional<Departure> departure;
    navigation::SailingMethod method = navigation::SailingMethod::Wgs84;
};

// The totals add the rows' distances as written, so that they are the sums of their columns; a
// leg with an error adds what it has, a total no row adds to stays empty, and the 合计 row names
// the legs with errors and the first leg without a speed, from which total_hours and eta stay
// empty. `escaped` (the text form, a terminal) writes out every control and invisible character,
// so that a name holding a line break or an escape sequence can neither break the table nor act on
// the terminal.
struct RouteTable {
    std::string text;
    // The same table as cells, the heading row first, for a front end that lays it out itself.
    std::vector<std::vector<std::string>> cells;
    // The text form's lines after the table (compass error, the textbook's methods); empty else.
    std::string notes;
    // The legs with an error: that cannot be computed or sailed, or whose current the ship cannot
    // steer against.
    std::size_t failedLegs = 0;
};

RouteTable routeTable(std::span<const RouteRow> rows, const RouteTableSettings& settings,
                      TableFormat format, bool escaped);

}  // namespace orvanto::passage
