// The route's table: a header, a row for each leg or each part of a leg as it is sailed
// (sailed_route.h), and a last row 合计 with the totals, aligned for a person (text) or delimited
// for a spreadsheet (CSV, TSV). The columns, those in brackets only with what adds them:
//
//   from, to, to_lat, to_lon, rhumb_course, [rhumb_course_m, [rhumb_course_c,]] rhumb_nmi,
//   gc_course_initial, [gc_course_initial_m, [gc_course_initial_c,]] gc_nmi, total_nmi,
//   [course_to_steer, [course_to_steer_m, [course_to_steer_c,]] sog,] [hours, total_hours,
//   [eta, [eta_zone,]]] error
//
// to_lat and to_lon are where the row ends (position_text.h). A whole leg fills both measures, a
// rhumb row the rhumb_* columns only, a great-circle row the gc_* ones only; total_nmi is the
// running sum of the distance each row fills. Every distance is one that can be sailed: the
// calculator's chord estimate, far from any track on a long leg, has no place here. The _m
// columns come with a variation, the _c ones with a deviation or a deviation card (each at its own
// magnetic course); course_to_steer (the heading through the water that makes good the row's rhumb
// course) and sog with a current; hours (the row's distance over the speed, or over sog),
// total_hours and eta with speeds, eta with a departure. A row whose arrival would fall after
// 9999-12-31 fails. eta is on the clock of zone_time.h the front end asks for, eta_zone (the
// nautical zone description of each arrival) with the ship's zone time.
//
// The text form heads the columns in Chinese (恒向线航程（海里）, 预计到达时间, …), writes a
// duration of a day or more with its days (15天16:59, where CSV and TSV write 376:59), adds a
// 罗经差 column before 说明 with a card, and after the table states the compass error of a single
// deviation and the textbook's methods. It leaves out the columns empty in every row, and names
// the clock of eta when it is not the departure's (预计到达时间（船位区时）). A front end may
// choose the columns and their order instead, by name (--columns); those are written whether empty
// or not.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "passage/cell_table.h"
#include "passage/route_request.h"
#include "passage/row_problems.h"
#include "passage/table_format.h"
#include "passage/zone_time.h"

namespace orvanto::passage {

// How a front end has the table written. `escaped` (the text form, a terminal) writes out every
// control and invisible character, so that a name holding a line break or an escape sequence can
// neither break the table nor act on the terminal; `wording` numbers the waypoints' lines as the
// user sees them.
struct TableWriting {
    TableFormat format = TableFormat::Text;
    bool escaped = false;
    ProblemWording wording;
    // The columns by their names (routeColumnNamed), in order; empty for those the plan has.
    std::vector<std::string> columns;
    EtaZone etaZone;
};

// The totals are the sums of their columns (route_times.h): a leg with an error adds what it has,
// a total no row adds to stays empty, and the 合计 row names the legs with errors and the first
// leg without a speed, from which total_hours and eta stay empty.
struct RouteTable {
    std::string text;
    // The same table as cells, the heading row first, for a front end that lays it out itself.
    CellTable cells;
    // The text form's lines after the table (compass error, the textbook's methods); empty else.
    std::string notes;
    // The last arrival, on the clock asked for, whatever the columns; empty without one.
    std::string arrival;
};

RouteTable routeTable(const PassagePlan& plan, const TableWriting& writing);

// Every column's name, in the table's order: from, to, … error.
std::vector<std::string_view> routeColumnNames();
// The column a user names, by its name in any case or its text-form heading (终点纬度); nothing
// for a name no column has.
std::optional<std::string_view> routeColumnNamed(std::string_view typed);

}  // namespace orvanto::passage
