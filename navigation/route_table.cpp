#include "navigation/route_table.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "batch/block_writer.h"
#include "navigation/course_text.h"
#include "navigation/variation.h"
#include "text/decimal_number.h"
#include "text/display_width.h"
#include "text/printable.h"

namespace orvanto::navigation {
namespace {

using Row = std::vector<std::string>;

enum class Align { Left, Right, None };

struct TableColumn {
    std::string_view name;
    std::string_view label;  // the text form's heading
    Align align;
    bool magnetic;  // only with a variation
};

constexpr TableColumn kColumns[] = {
    {"from", "起点", Align::Left, false},
    {"to", "终点", Align::Left, false},
    {"rhumb_course", "恒向线航向", Align::Right, false},
    {"rhumb_course_m", "恒向线磁航向", Align::Right, true},
    {"rhumb_nmi", "恒向线海里", Align::Right, false},
    {"gc_course_initial", "大圆初始航向", Align::Right, false},
    {"gc_course_initial_m", "大圆初始磁航向", Align::Right, true},
    {"gc_nmi", "大圆海里", Align::Right, false},
    {"km", "公里", Align::Right, false},
    {"nmi", "海里", Align::Right, false},
    {"total_nmi", "累计海里", Align::Right, false},
    {"error", "说明", Align::None, false},
};

// A distance text ("123.456", "12", "") in whole thousandths, for exact sums.
long long thousandths(const std::string& text) {
    return text.empty() ? 0 : std::llround(readDecimalNumber(text).value_or(0) * 1000);
}

std::string thousandthsText(long long value) {
    return distanceText(static_cast<double>(value) / 1000);
}

// Each total is empty until some leg has something to add to it: a 0 would claim a distance no leg
// gave.
struct Sums {
    std::optional<long long> rhumbNmi;
    std::optional<long long> greatCircleNmi;
    std::optional<long long> kilometres;
    std::optional<long long> nauticalMiles;
    std::string failedLegs;  // "2、3"
};

void add(std::optional<long long>& sum, const std::string& text) {
    if (!text.empty()) {
        sum = sum.value_or(0) + thousandths(text);
    }
}

std::string sumText(const std::optional<long long>& sum) {
    return sum ? thousandthsText(*sum) : std::string{};
}

Row legRow(const RouteLeg& leg, std::size_t number, std::optional<double> variation, Sums& sums) {
    std::string rhumbNmi;
    std::string greatCircleNmi;
    std::string total;
    std::optional<double> rhumbCourse;
    std::optional<double> initialCourse;
    if (leg.courses) {
        rhumbNmi = nauticalMilesText(leg.courses->rhumbKilometres);
        greatCircleNmi = nauticalMilesText(leg.courses->greatCircleKilometres);
        rhumbCourse = leg.courses->rhumbCourse;
        initialCourse = leg.courses->initialCourse;
        add(sums.rhumbNmi, rhumbNmi);
        add(sums.greatCircleNmi, greatCircleNmi);
        total = sumText(sums.rhumbNmi);
    }
    add(sums.kilometres, leg.kilometres);
    add(sums.nauticalMiles, leg.nauticalMiles);
    if (leg.error) {
        sums.failedLegs += (sums.failedLegs.empty() ? "" : "、") + std::to_string(number);
    }
    const auto magnetic = [&](std::optional<double> course) {
        return variation ? courseText(magneticCourse(course, *variation)) : std::string{};
    };
    return {leg.from,
            leg.to,
            courseText(rhumbCourse),
            magnetic(rhumbCourse),
            rhumbNmi,
            courseText(initialCourse),
            magnetic(initialCourse),
            greatCircleNmi,
            leg.kilometres,
            leg.nauticalMiles,
            total,
            leg.error.value_or("")};
}

Row totalsRow(const Sums& sums) {
    const std::string rhumb = sumText(sums.rhumbNmi);
    return {"合计",
            "",
            "",
            "",
            rhumb,
            "",
            "",
            sumText(sums.greatCircleNmi),
            sumText(sums.kilometres),
            sumText(sums.nauticalMiles),
            rhumb,
            sums.failedLegs.empty()
                ? ""
                : "第 " + sums.failedLegs + " 段有误（见其 error 列），合计中缺少其未能算出的各项"};
}

std::string tsvField(std::string field) {
    for (char& c : field) {
        c = c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    return field;
}

std::string delimited(const std::vector<Row>& rows, TableFormat format) {
    std::string out;
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            out += i == 0 ? "" : format == TableFormat::Csv ? "," : "\t";
            out += format == TableFormat::Csv ? batch::csvQuoted(row[i], ',') : tsvField(row[i]);
        }
        out += "\n";
    }
    return out;
}

std::string aligned(const std::vector<Row>& rows, const std::vector<Align>& aligns) {
    std::vector<std::size_t> widths(aligns.size(), 0);
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(row[i]));
        }
    }
    std::string out;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string padding(widths[i] - displayWidth(row[i]), ' ');
            line += i == 0 ? "" : "  ";
            line += aligns[i] == Align::Right  ? padding + row[i]
                    : aligns[i] == Align::Left ? row[i] + padding
                                               : tsvField(row[i]);
        }
        out += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    return out;
}

}  // namespace

std::vector<std::vector<std::string>> routeTableCells(std::span<const RouteLeg> legs,
                                                      std::optional<double> variation,
                                                      TableFormat format, bool escaped) {
    std::vector<Row> rows;
    rows.emplace_back();
    Sums sums;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        rows.push_back(legRow(legs[i], i + 1, variation, sums));
    }
    rows.push_back(totalsRow(sums));
    // The magnetic columns only with a variation: drop them from every row otherwise.
    for (Row& row : rows) {
        Row kept;
        for (std::size_t i = 0; i < std::size(kColumns); ++i) {
            if (!kColumns[i].magnetic || variation) {
                kept.push_back(&row == &rows.front()
                                   ? std::string{format == TableFormat::Text ? kColumns[i].label
                                                                             : kColumns[i].name}
                                   : row[i]);
            }
        }
        if (escaped) {
            std::transform(kept.begin(), kept.end(), kept.begin(),
                           [](const std::string& cell) { return printable(cell); });
        }
        row = std::move(kept);
    }
    return rows;
}

std::string routeTable(std::span<const RouteLeg> legs, std::optional<double> variation,
                       TableFormat format, bool escaped) {
    const std::vector<Row> rows = routeTableCells(legs, variation, format, escaped);
    std::vector<Align> aligns;
    for (const TableColumn& column : kColumns) {
        if (!column.magnetic || variation) {
            aligns.push_back(column.align);
        }
    }
    return format == TableFormat::Text ? aligned(rows, aligns) : delimited(rows, format);
}

}  // namespace orvanto::navigation
