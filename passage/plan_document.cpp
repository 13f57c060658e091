#include "passage/plan_document.h"

#include <cstdio>

#include "calculator/decimal_text.h"
#include "passage/compass_text.h"
#include "passage/course_text.h"
#include "passage/gpx_writer.h"
#include "passage/zone_time.h"

namespace orvanto::passage {
namespace {

constexpr std::string_view kNone = "无";

// A4 landscape; a small face so that a route with every column fits across, and cells allowed to
// wrap anywhere so that even one that does not fit is never cut at the page's edge.
constexpr std::string_view kPrintRules = R"(
@page { size: A4 landscape; margin: 10mm; }
body { font-family: "Noto Sans CJK SC", "Source Han Sans SC", "Microsoft YaHei", sans-serif;
       font-size: 10pt; margin: 0; color: #000; background: #fff; }
.passage-plan h1 { font-size: 14pt; margin: 0 0 4pt; }
.passage-plan h2 { font-size: 11pt; margin: 8pt 0 3pt; }
.passage-plan dl { display: grid; grid-template-columns: max-content 1fr; gap: 1pt 10pt; margin: 0; }
.passage-plan dt { font-weight: bold; }
.passage-plan dd { margin: 0; }
.passage-plan table { border-collapse: collapse; width: 100%; font-size: 7pt; }
.passage-plan th, .passage-plan td { border: 0.5pt solid #666; padding: 1pt 2pt;
       overflow-wrap: anywhere; text-align: right; vertical-align: top; }
.passage-plan th { background: #eee; }
.passage-plan th[scope="row"], .passage-plan td.text { text-align: left; }
.passage-plan tr.total { font-weight: bold; }
@media print {
  .passage-plan thead { display: table-header-group; }
  .passage-plan tr { break-inside: avoid; page-break-inside: avoid; }
}
)";

std::string html(std::string_view text) {
    return xmlEscaped(text);
}

std::string number(double value, std::size_t decimals) {
    return formatDecimals(value, decimals, NumberStyle::Plain);
}

// The values the plan was made with, as a navigator reads them on paper.
std::string optionsInForce(const PassagePlan& plan, const TableWriting& writing) {
    const TimingSettings& timing = plan.timing;
    const navigation::CompassCorrection& correction = plan.correction;
    std::string speed{kNone};
    if (timing.speed) {
        speed = number(*timing.speed, 2) + " 节";
    }
    if (plan.speedColumn) {
        speed = (timing.speed ? speed + "；" : std::string{}) + "航点文件的航速列优先";
    }
    std::string departure{kNone};
    std::string arrivals{kNone};
    if (const auto& given = timing.departure) {
        const int offset = given->offsetMinutes.value_or(0);
        departure = arrivalText(given->clock, offset, 0).value_or(std::string{kNone});
        arrivals = etaZoneName(writing.etaZone, offset);
    }
    std::string deviation{kNone};
    if (correction.card) {
        deviation = "自差表（按各磁航向插值）";
    } else if (correction.deviation) {
        deviation = eastWestText(*correction.deviation);
    }
    std::string current{kNone};
    if (timing.current) {
        current = "流向 " + courseText(timing.current->set) + "，流速 " +
                  number(timing.current->drift, 2) + " 节";
    }
    std::string step{kNone};
    if (const auto& every = plan.sailing.every) {
        step = every->alongMeridians ? "经度每 " + number(every->degrees, 2) + "°"
                                     : "每 " + number(every->nauticalMiles, 2) + " 海里";
    }
    const auto& limit = plan.sailing.limitLatitude;
    const std::string method = plan.sailing.method == navigation::SailingMethod::Textbook
                                   ? "教科书算法（球面大圆，墨卡托恒向线）"
                                   : "WGS-84 椭球（大圆航线与恒向线）";
    const std::pair<std::string_view, std::string> rows[] = {
        {"航速", speed},
        {"开航时间", departure},
        {"预计到达时间", arrivals},
        {"磁差", correction.variation ? eastWestText(*correction.variation) : std::string{kNone}},
        {"自差", deviation},
        {"海流", current},
        {"限制纬度", limit ? number(*limit, 2) + "°" : std::string{kNone}},
        {"分点间隔", step},
        {"航法", method},
    };
    std::string out = "<section><h2>航行条件</h2><dl>\n";
    for (const auto& [name, value] : rows) {
        out += "<dt>" + std::string{name} + "</dt><dd>" + html(value) + "</dd>\n";
    }
    return out + "</dl></section>\n";
}

std::string tableSection(const RouteTable& table) {
    const CellTable& cells = table.cells;
    std::string out = "<section><h2>航线表</h2><table>\n<thead><tr>";
    for (std::size_t column = 0; column < cells.columns(); ++column) {
        out += "<th scope=\"col\">" + html(cells.at(0, column)) + "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    for (std::size_t row = 1; row < cells.rows(); ++row) {
        out += row + 1 == cells.rows() ? "<tr class=\"total\">" : "<tr>";
        for (std::size_t column = 0; column < cells.columns(); ++column) {
            // The row is named by where it starts: a screen reader says it with every cell.
            out += column == 0 ? "<th scope=\"row\">" + html(cells.at(row, column)) + "</th>"
                               : "<td>" + html(cells.at(row, column)) + "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody></table></section>\n";
    if (!table.notes.empty()) {
        out += "<p class=\"notes\">" + html(table.notes) + "</p>\n";
    }
    return out;
}

}  // namespace

std::string planSummary(const PassagePlan& plan, const RouteTable& table) {
    const RouteTotals& totals = plan.totals;
    std::string text = "共 " + std::to_string(plan.waypoints.size() - 1) + " 段航线";
    if (totals.sailedMiles) {
        text += "，航程 " + distanceText(*totals.sailedMiles) + " 海里";
    }
    if (totals.elapsedHours) {
        text += "，航时 " + durationText(*totals.elapsedHours) + "（" +
                durationText(*totals.elapsedHours, DurationForm::Days) + "）";
    }
    if (!table.arrival.empty()) {
        text += "，预计到达 " + table.arrival;
    }
    if (!totals.failedLegs.empty()) {
        const std::size_t leg = totals.failedLegs.front();
        text += "；" + std::to_string(totals.failedLegs.size()) + " 段未能全部算出，首个是第 " +
                std::to_string(leg) + " 段 " + plan.waypoints[leg - 1].name + " → " +
                plan.waypoints[leg].name + "，原因见说明列";
    }
    return text + "。";
}

std::string_view planPrintRules() {
    return kPrintRules;
}

std::string planSections(const PassagePlan& plan, const TableWriting& writing) {
    TableWriting cells = writing;
    cells.format = TableFormat::Html;
    cells.escaped = true;
    const RouteTable table = routeTable(plan, cells);
    const std::string title =
        "航线计划：" + plan.waypoints.front().name + " → " + plan.waypoints.back().name;
    return "<h1>" + html(title) + "</h1>\n" + optionsInForce(plan, writing) + tableSection(table) +
           "<section><h2>合计</h2><p>" + html(planSummary(plan, table)) + "</p></section>\n";
}

std::string planDocument(const PassagePlan& plan, const TableWriting& writing) {
    const std::string title =
        "航线计划：" + plan.waypoints.front().name + " → " + plan.waypoints.back().name;
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           html(title) + "</title>\n<style>" + std::string{kPrintRules} +
           "</style>\n</head>\n<body>\n<main class=\"passage-plan\">\n" +
           planSections(plan, writing) + "</main>\n</body>\n</html>\n";
}

}  // namespace orvanto::passage
