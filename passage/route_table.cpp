#include "passage/route_table.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "batch/block_writer.h"
#include "calculator/decimal_text.h"
#include "navigation/current_triangle.h"
#include "passage/cell_table.h"
#include "passage/compass_text.h"
#include "passage/course_report.h"
#include "passage/course_text.h"
#include "passage/position_text.h"
#include "passage/sailing_reasons.h"
#include "passage/zone_time.h"
#include "text/ascii_case.h"
#include "text/decimal_number.h"
#include "text/display_width.h"
#include "text/printable.h"
#include "text/trimming.h"

namespace orvanto::passage {
namespace {

using Row = std::vector<std::string>;

enum class Align { Left, Right, None };

// What a column comes with; a column needs every one of its bits.
namespace needs {
enum Bits : unsigned {
    Nothing = 0,
    Magnetic = 1U << 0U,
    Compass = 1U << 1U,
    Current = 1U << 2U,
    Times = 1U << 3U,
    Eta = 1U << 4U,
    CardInText = 1U << 5U,
    ShipZone = 1U << 6U,
};
}  // namespace needs

struct TableColumn {
    std::string_view name;
    std::string_view label;  // the text form's heading
    Align align;
    unsigned needs;
};

// Each column's place in kColumns, and so in every row.
namespace cell {
enum Field : std::size_t {
    From,
    To,
    ToLatitude,
    ToLongitude,
    RhumbCourse,
    RhumbMagnetic,
    RhumbCompass,
    RhumbMiles,
    InitialCourse,
    InitialMagnetic,
    InitialCompass,
    GreatCircleMiles,
    TotalMiles,
    Steer,
    SteerMagnetic,
    SteerCompass,
    OverGround,
    Hours,
    TotalHours,
    Arrival,
    ArrivalZone,
    CompassError,
    Error,
    FieldCount,
};
}  // namespace cell

constexpr TableColumn kColumns[cell::FieldCount] = {
    {"from", "起点", Align::Left, needs::Nothing},
    {"to", "终点", Align::Left, needs::Nothing},
    {"to_lat", "终点纬度", Align::Right, needs::Nothing},
    {"to_lon", "终点经度", Align::Right, needs::Nothing},
    {"rhumb_course", "恒向线航向", Align::Right, needs::Nothing},
    {"rhumb_course_m", "恒向线磁航向", Align::Right, needs::Magnetic},
    {"rhumb_course_c", "恒向线罗航向", Align::Right, needs::Compass},
    {"rhumb_nmi", "恒向线航程（海里）", Align::Right, needs::Nothing},
    {"gc_course_initial", "大圆初始航向", Align::Right, needs::Nothing},
    {"gc_course_initial_m", "大圆初始磁航向", Align::Right, needs::Magnetic},
    {"gc_course_initial_c", "大圆初始罗航向", Align::Right, needs::Compass},
    {"gc_nmi", "大圆航程（海里）", Align::Right, needs::Nothing},
    {"total_nmi", "累计航程（海里）", Align::Right, needs::Nothing},
    {"course_to_steer", "应驶航向", Align::Right, needs::Current},
    {"course_to_steer_m", "应驶磁航向", Align::Right, needs::Current | needs::Magnetic},
    {"course_to_steer_c", "应驶罗航向", Align::Right, needs::Current | needs::Compass},
    {"sog", "对地航速", Align::Right, needs::Current},
    {"hours", "航时", Align::Right, needs::Times},
    {"total_hours", "累计航时", Align::Right, needs::Times},
    {"eta", "预计到达时间", Align::Left, needs::Times | needs::Eta},
    {"eta_zone", "区号", Align::Right, needs::Times | needs::Eta | needs::ShipZone},
    {"compass_error", "罗经差", Align::Right, needs::CardInText},
    {"error", "说明", Align::None, needs::Nothing},
};

// What the table is written with, as the bits of Needs.
unsigned tableHas(const PassagePlan& plan, const TableWriting& writing) {
    const TableFormat format = writing.format;
    const navigation::CompassCorrection& correction = plan.correction;
    const TimingSettings& timing = plan.timing;
    return (correction.magnetic() ? needs::Magnetic : 0U) |
           (correction.compass() ? needs::Compass : 0U) | (timing.current ? needs::Current : 0U) |
           (timing.times ? needs::Times : 0U) | (timing.departure ? needs::Eta : 0U) |
           (correction.compass() && correction.card && format != TableFormat::Csv &&
                    format != TableFormat::Tsv
                ? needs::CardInText
                : 0U) |
           (writing.etaZone.kind == EtaZone::Kind::Ship ? needs::ShipZone : 0U);
}

std::string joined(const std::string& first, const std::string& second) {
    return first.empty() ? second : second.empty() ? first : first + "；" + second;
}

std::string milesText(const std::optional<double>& miles) {
    return miles ? distanceText(*miles) : std::string{};
}

// The rows as their cells, from the numbers the plan has in them.
class TableWriter {
  public:
    TableWriter(const PassagePlan& plan, const TableWriting& writing)
        : plan_(plan),
          wording_(writing.wording),
          durations_(writing.format == TableFormat::Csv || writing.format == TableFormat::Tsv
                         ? DurationForm::Hours
                         : DurationForm::Days),
          zone_(writing.etaZone) {
        if (zone_.kind == EtaZone::Kind::Ship) {
            zones_ = shipZones(plan.route.rows);
        }
    }

    Row row(const RouteRow& route, std::size_t index) const;
    Row totals() const;

  private:
    // At that many hours since the departure, on the clock asked for (the zone of the row's
    // arrival, by its index, for the ship's); empty without a departure or after 9999-12-31.
    std::string arrival(double elapsed, std::size_t index) const {
        const auto& departure = plan_.timing.departure;
        if (!departure) {
            return {};
        }
        const int offset = departure->offsetMinutes.value_or(0);
        int shown = offset;
        if (zone_.kind == EtaZone::Kind::Fixed) {
            shown = zone_.offsetMinutes;
        } else if (const auto zone = shipZone(index)) {
            shown = *zone * 60;
        }
        return arrivalText(departure->clock, offset, elapsed, shown).value_or("");
    }

    std::optional<int> shipZone(std::size_t index) const {
        return index < zones_.size() ? zones_[index] : std::nullopt;
    }

    const PassagePlan& plan_;
    const ProblemWording& wording_;
    DurationForm durations_;
    EtaZone zone_;
    std::vector<std::optional<int>> zones_;  // each row's, with the ship's zone time
};

Row TableWriter::row(const RouteRow& route, std::size_t index) const {
    Row row(cell::FieldCount);
    row[cell::From] = route.from;
    row[cell::To] = route.to;
    if (route.end) {
        row[cell::ToLatitude] = latitudeText(route.end->latitude);
        row[cell::ToLongitude] = longitudeText(route.end->longitude);
    }
    const navigation::CompassCorrection& correction = plan_.correction;
    const auto fill = [&](std::optional<double> course, std::size_t trueField) {
        row[trueField] = courseText(course);
        row[trueField + 1] = courseText(correction.magneticCourse(course));
        row[trueField + 2] = courseText(correction.compassCourse(course));
    };
    std::optional<double> steered;
    if (const auto& courses = route.courses) {
        const bool rhumb = route.kind != RowKind::GreatCircle;
        if (rhumb) {
            fill(courses->rhumbCourse, cell::RhumbCourse);
            row[cell::RhumbMiles] = distanceText(courses->rhumbMiles);
        }
        if (route.kind != RowKind::Rhumb) {
            fill(courses->initialCourse, cell::InitialCourse);
            row[cell::GreatCircleMiles] = distanceText(courses->greatCircleMiles);
        }
        row[cell::TotalMiles] = milesText(route.sailedMiles);
        steered = rhumb ? courses->rhumbCourse : courses->initialCourse;
    }
    if (route.courseToSteer) {
        steered = route.courseToSteer;
        fill(route.courseToSteer, cell::Steer);
        row[cell::OverGround] = formatDecimals(*route.speedOverGround, 1, NumberStyle::Fixed);
    }
    if (route.hours) {
        row[cell::Hours] = durationText(*route.hours, durations_);
    }
    if (route.elapsedHours) {
        row[cell::TotalHours] = durationText(*route.elapsedHours, durations_);
        row[cell::Arrival] = arrival(*route.elapsedHours, index);
        if (const auto zone = shipZone(index); zone && !row[cell::Arrival].empty()) {
            row[cell::ArrivalZone] = zoneDescription(*zone);
        }
    }
    for (const RowProblem& problem : route.problems) {
        row[cell::Error] =
            joined(row[cell::Error], problemText(problem, plan_.waypoints, wording_));
    }
    if (const auto deviation = steered ? correction.deviationOn(*steered) : std::nullopt) {
        row[cell::CompassError] = eastWestText(*correction.variation + *deviation);
    }
    return row;
}

Row TableWriter::totals() const {
    const RouteTotals& totals = plan_.totals;
    Row row(cell::FieldCount);
    row[cell::From] = "合计";
    row[cell::RhumbMiles] = milesText(totals.rhumbMiles);
    row[cell::GreatCircleMiles] = milesText(totals.greatCircleMiles);
    row[cell::TotalMiles] = milesText(totals.sailedMiles);
    if (totals.hours) {
        row[cell::Hours] = durationText(*totals.hours, durations_);
    }
    if (totals.elapsedHours) {
        row[cell::TotalHours] = durationText(*totals.elapsedHours, durations_);
        // The last arrival, on the last row's clock.
        const std::size_t last = plan_.route.rows.size() - 1;
        row[cell::Arrival] = arrival(*totals.elapsedHours, last);
        if (const auto zone = shipZone(last); zone && !row[cell::Arrival].empty()) {
            row[cell::ArrivalZone] = zoneDescription(*zone);
        }
    }
    std::string failed;
    for (const std::size_t leg : totals.failedLegs) {
        failed += (failed.empty() ? "" : "、") + std::to_string(leg);
    }
    std::string note;
    if (!failed.empty()) {
        note = "第 " + failed + " 段有误（见其 error 列），合计中缺少其未能算出的各项";
    }
    if (totals.untimedLeg && plan_.timing.times) {
        note = joined(note, "第 " + std::to_string(*totals.untimedLeg) +
                                " 段没有航速，自该段起没有累计航时和预计到达时间");
    }
    row[cell::Error] = note;
    return row;
}

// A TSV field or the text form's last column on one line: tabs and line breaks as spaces.
void appendOnOneLine(std::string& out, std::string_view field) {
    for (const char c : field) {
        out += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
}

std::string delimited(const CellTable& table, TableFormat format) {
    std::string out;
    // The cells' bytes and a delimiter or line end after each: the text is written into the
    // memory it ends in, and a quoted cell at most grows it once more.
    out.reserve(table.bytes() + table.rows() * table.columns());
    for (std::size_t row = 0; row < table.rows(); ++row) {
        for (std::size_t column = 0; column < table.columns(); ++column) {
            const std::string_view cell = table.at(row, column);
            out += column == 0 ? "" : format == TableFormat::Csv ? "," : "\t";
            if (format == TableFormat::Tsv) {
                appendOnOneLine(out, cell);
            } else if (batch::needsCsvQuotes(cell, ',')) {
                out += batch::csvQuoted(cell, ',');
            } else {
                out += cell;
            }
        }
        out += "\n";
    }
    return out;
}

std::string aligned(const CellTable& table, const std::vector<Align>& aligns) {
    // The notes column, last and unaligned, is never padded: its cells, the longest, need no width.
    std::vector<std::size_t> widths(aligns.size(), 0);
    for (std::size_t row = 0; row < table.rows(); ++row) {
        for (std::size_t column = 0; column < table.columns(); ++column) {
            if (aligns[column] != Align::None) {
                widths[column] = std::max(widths[column], displayWidth(table.at(row, column)));
            }
        }
    }
    std::string out;
    out.reserve(table.bytes() + table.rows() * table.columns() * 2);
    for (std::size_t row = 0; row < table.rows(); ++row) {
        const std::size_t lineStart = out.size();
        for (std::size_t column = 0; column < table.columns(); ++column) {
            const std::string_view cell = table.at(row, column);
            const std::size_t padding =
                aligns[column] == Align::None ? 0 : widths[column] - displayWidth(cell);
            out += column == 0 ? "" : "  ";
            if (aligns[column] == Align::Right) {
                out.append(padding, ' ');
            }
            if (aligns[column] == Align::None) {
                appendOnOneLine(out, cell);
            } else {
                out += cell;
            }
            if (aligns[column] == Align::Left) {
                out.append(padding, ' ');
            }
        }
        const std::size_t last = out.find_last_not_of(' ');
        out.resize(last == std::string::npos || last < lineStart ? lineStart : last + 1);
        out += "\n";
    }
    return out;
}

// What the text form says below the table.
std::string notes(const PassagePlan& plan) {
    std::string text = compassErrorLine(plan.correction);
    if (plan.sailing.method == navigation::SailingMethod::Textbook) {
        text +=
            "航法：大圆航线在 1′ = 1 海里的球面上计算，恒向线按墨卡托航法（航向在 090 或 270 "
            "前后 5° 以内时按中分纬度航法）\n";
    }
    return text;
}

// The columns written, by their places in kColumns: those chosen, in their order; else those the
// plan has, less in the text form those empty in every row (a person reads what is there, while
// a spreadsheet's columns stay where a formula expects them). `filled` says which columns have a
// cell in some row.
std::vector<std::size_t> writtenColumns(const std::vector<bool>& filled, const PassagePlan& plan,
                                        const TableWriting& writing) {
    std::vector<std::size_t> written;
    for (const std::string& name : writing.columns) {
        for (std::size_t i = 0; i < cell::FieldCount; ++i) {
            if (kColumns[i].name == name) {
                written.push_back(i);
            }
        }
    }
    if (!writing.columns.empty()) {
        return written;
    }
    const unsigned has = tableHas(plan, writing);
    for (std::size_t i = 0; i < cell::FieldCount; ++i) {
        if ((kColumns[i].needs & has) == kColumns[i].needs &&
            (filled[i] || writing.format != TableFormat::Text)) {
            written.push_back(i);
        }
    }
    return written;
}

std::string heading(std::size_t column, const PassagePlan& plan, const TableWriting& writing) {
    if (writing.format == TableFormat::Csv || writing.format == TableFormat::Tsv) {
        return std::string{kColumns[column].name};
    }
    std::string label{kColumns[column].label};
    const auto& departure = plan.timing.departure;
    if (column == cell::Arrival && writing.etaZone.kind != EtaZone::Kind::Departure && departure) {
        label += "（" + etaZoneName(writing.etaZone, departure->offsetMinutes.value_or(0)) + "）";
    }
    return label;
}

}  // namespace

std::vector<std::string_view> routeColumnNames() {
    std::vector<std::string_view> names;
    for (const TableColumn& column : kColumns) {
        names.push_back(column.name);
    }
    return names;
}

std::optional<std::string_view> routeColumnNamed(std::string_view typed) {
    const std::string name = asciiLowerCase(trimmed(typed, " \t"));
    for (const TableColumn& column : kColumns) {
        if (name == column.name || name == column.label) {
            return column.name;
        }
    }
    return std::nullopt;
}

RouteTable routeTable(const PassagePlan& plan, const TableWriting& writing) {
    const TableWriter writer{plan, writing};
    RouteTable written;
    CellTable& table = written.cells;
    table = CellTable{cell::FieldCount};
    table.reserveRows(plan.route.rows.size() + 2);
    std::vector<bool> filled(cell::FieldCount, false);
    const auto store = [&](const std::string& cell) {
        if (writing.escaped) {
            table.addPrintable(cell);
        } else {
            table.add(cell);
        }
    };
    const auto add = [&](const Row& row) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            filled[i] = filled[i] || !row[i].empty();
            store(row[i]);
        }
    };
    for (std::size_t i = 0; i < cell::FieldCount; ++i) {
        store(heading(i, plan, writing));
    }
    for (std::size_t i = 0; i < plan.route.rows.size(); ++i) {
        add(writer.row(plan.route.rows[i], i));
    }
    const Row totals = writer.totals();
    written.arrival = totals[cell::Arrival];
    add(totals);
    const std::vector<std::size_t> columns = writtenColumns(filled, plan, writing);
    std::vector<Align> aligns;
    aligns.reserve(columns.size());
    for (const std::size_t i : columns) {
        aligns.push_back(kColumns[i].align);
    }
    table.show(columns);
    if (writing.format == TableFormat::Csv || writing.format == TableFormat::Tsv) {
        written.text = delimited(table, writing.format);
    } else {
        written.notes = notes(plan);
        written.text = aligned(table, aligns);
        written.text += written.notes;
    }
    return written;
}

}  // namespace orvanto::passage
