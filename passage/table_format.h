// How a table of courses or legs is written: aligned for a person, or delimited for a spreadsheet.
#pragma once

namespace orvanto::passage {

enum class TableFormat { Text, Csv, Tsv };

}  // namespace orvanto::passage
