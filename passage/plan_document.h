// The printed passage plan: one self-contained HTML document (UTF-8, no script, nothing fetched)
// with what a deck officer checks before sailing and keeps on the bridge: a title (from → to), the
// options in force, the route's table with every column, and a summary (distance sailed, time,
// ETA, the legs that fail). Its print rules lay it out on A4 landscape with the header row on every
// page and no row split across two; a cell too wide for the page wraps rather than being cut.
// The page prints the same sections (planSections) from its own print rules, beside its sketch.
#pragma once

#include <string>
#include <string_view>

#include "passage/route_request.h"
#include "passage/route_table.h"

namespace orvanto::passage {

// The title, options, table and summary as HTML elements, for a document or a page to hold.
// `writing` chooses the columns and the clock of arrivals; its format is not read (the cells are
// the text form's, every column the plan has unless chosen).
std::string planSections(const PassagePlan& plan, const TableWriting& writing);

// The whole document around planSections, with its title and print rules.
std::string planDocument(const PassagePlan& plan, const TableWriting& writing);

// The document's style sheet, for a page that prints planSections.
std::string_view planPrintRules();

// The summary's sentence: the legs, distance sailed, time and ETA (on the clock the table's were
// written on), and the first leg that fails with its waypoints.
std::string planSummary(const PassagePlan& plan, const RouteTable& table);

}  // namespace orvanto::passage
