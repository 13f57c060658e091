// The route's table: a header, one row a leg, and a last row 合计 with the totals, written aligned
// for a person (text) or for a spreadsheet (CSV, TSV).
//
// Columns: from, to, rhumb_course, rhumb_nmi, gc_course_initial, gc_nmi, km, nmi (the calculator's
// own distance), total_nmi (the running sum of rhumb_nmi: what is sailed along the rhumb lines),
// error. A variation adds rhumb_course_m after rhumb_course and gc_course_initial_m after
// gc_course_initial. The text form heads the columns in Chinese.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "navigation/route_legs.h"
#include "navigation/table_format.h"

namespace orvanto::navigation {

// The totals add the legs' distances as written, so that they are the sums of their columns; a
// leg with an error adds what it has, a total no leg adds to stays empty, and the 合计 row names
// the legs with errors. `escaped` (the text form, a terminal) writes out every control and
// invisible character, so that a name holding a line break or an escape sequence can neither
// break the table nor act on the terminal.
std::string routeTable(std::span<const RouteLeg> legs, std::optional<double> variation,
                       TableFormat format, bool escaped);

// The same table as cells, for a front end that lays it out itself: the header row first (the text
// form's headings for Text, else the column names) and the 合计 row last.
std::vector<std::vector<std::string>> routeTableCells(std::span<const RouteLeg> legs,
                                                      std::optional<double> variation,
                                                      TableFormat format, bool escaped);

}  // namespace orvanto::navigation
