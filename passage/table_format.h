// How a table of courses or legs is written: aligned for a person, delimited for a spreadsheet, or
// (a route's) as the cells of the printed passage plan (plan_document.h), headed and timed as the
// text form, with every column the plan has.
#pragma once

namespace orvanto::passage {

enum class TableFormat { Text, Csv, Tsv, Html };

}  // namespace orvanto::passage
