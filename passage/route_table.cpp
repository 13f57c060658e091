#include "passage/route_table.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "batch/block_writer.h"
#include "calculator/decimal_text.h"
#include "navigation/current_triangle.h"
#include "passage/compass_text.h"
#include "passage/course_report.h"
#include "passage/course_text.h"
#include "passage/position_text.h"
#include "passage/sailing_reasons.h"
#include "text/decimal_number.h"
#include "text/display_width.h"
#include "text/printable.h"

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
    {"", "罗经差", Align::Right, needs::CardInText},
    {"error", "说明", Align::None, needs::Nothing},
};

// What the table is written with, as the bits of Needs.
unsigned tableHas(const RouteTableSettings& settings, TableFormat format) {
    const navigation::CompassCorrection& correction = settings.correction;
    return (correction.magnetic() ? needs::Magnetic : 0U) |
           (correction.compass() ? needs::Compass : 0U) | (settings.current ? needs::Current : 0U) |
           (settings.times ? needs::Times : 0U) | (settings.departure ? needs::Eta : 0U) |
           (correction.compass() && correction.card && format == TableFormat::Text
                ? needs::CardInText
                : 0U);
}

// A distance text ("123.456", "12", "") in whole thousandths, for exact sums.
long long thousandths(const std::string& text) {
    return text.empty() ? 0 : std::llround(readDecimalNumber(text).value_or(0) * 1000);
}

std::string thousandthsText(long long value) {
    return distanceText(static_cast<double>(value) / 1000);
}

void add(std::optional<long long>& sum, const std::string& text) {
    if (!text.empty()) {
        sum = sum.value_or(0) + thousandths(text);
    }
}

std::string sumText(const std::optional<long long>& sum) {
    return sum ? thousandthsText(*sum) : std::string{};
}

std::string joined(const std::string& first, const std::string& second) {
    return first.empty() ? second : second.empty() ? first : first + "；" + second;
}

// The rows written one after another: each total is empty until some row has something to add
// to it, for a 0 would claim a distance no row gave; the time since departure only as long as
// every row before has its time.
class TableWriter {
  public:
    TableWriter(const RouteTableSettings& settings, TableFormat format)
        : settings_(settings),
          durations_(format == TableFormat::Text ? DurationForm::Days : DurationForm::Hours) {}

    Row row(const RouteRow& given);
    Row totals() const;
    std::size_t failedLegs() const { return failedLegs_; }

  private:
    // The row's times, and its course to steer in a current.
    std::optional<double> times(const RouteRow& route, double miles, Row& row);
    // At the time elapsed; nothing after 9999-12-31.
    std::optional<std::string> arrival() const;
    void failed(std::size_t leg);

    const RouteTableSettings& settings_;
    DurationForm durations_;
    std::optional<long long> rhumbMiles_;
    std::optional<long long> greatCircleMiles_;
    std::optional<long long> sailedMiles_;
    std::optional<double> hours_;
    double elapsed_ = 0;
    bool timed_ = true;  // every row so far has its time
    std::size_t lastFailedLeg_ = 0;
    std::size_t failedLegs_ = 0;
    std::string failedList_;                 // "2、3"
    std::optional<std::size_t> untimedLeg_;  // the first leg without a speed
};

void TableWriter::failed(std::size_t leg) {
    if (leg != lastFailedLeg_) {
        lastFailedLeg_ = leg;
        ++failedLegs_;
        failedList_ += (failedList_.empty() ? "" : "、") + std::to_string(leg);
    }
}

std::optional<double> TableWriter::times(const RouteRow& route, double miles, Row& row) {
    const std::optional<double> speed = route.speedUnreadable ? std::nullopt
                                        : route.speed         ? route.speed
                                                              : settings_.speed;
    if (route.courses && !speed && !untimedLeg_) {
        untimedLeg_ = route.leg;
    }
    // Read once: GCC's optimiser at -O1 loses track of the engaged check below and warns.
    const double knots = speed.value_or(0.0);
    std::optional<double> hours;
    std::optional<double> steered;
    if (!route.courses || !speed) {
        // no time for the row
    } else if (!settings_.current || miles == 0) {
        hours = miles / knots;
    } else if (route.kind == RowKind::GreatCircle || !route.courses->rhumbCourse) {
        row[cell::Error] =
            joined(row[cell::Error], "大圆航段没有恒定的航向，无法计算流中的应驶航向");
        failed(route.leg);
    } else if (const auto steering = navigation::steerAgainst(*route.courses->rhumbCourse,
                                                              *settings_.current, knots)) {
        const navigation::Steering& steer = steering.value();
        const navigation::CompassCorrection& correction = settings_.correction;
        steered = steer.courseToSteer;
        row[cell::Steer] = courseText(steer.courseToSteer);
        row[cell::SteerMagnetic] = courseText(correction.magneticCourse(steer.courseToSteer));
        row[cell::SteerCompass] = courseText(correction.compassCourse(steer.courseToSteer));
        row[cell::OverGround] = formatDecimals(steer.speedOverGround, 1, NumberStyle::Fixed);
        hours = miles / steer.speedOverGround;
    } else {
        row[cell::Error] = joined(row[cell::Error], reasonFor(steering.error()));
        failed(route.leg);
    }
    timed_ = timed_ && hours;
    if (!hours) {
        return steered;
    }
    hours_ = hours_.value_or(0) + *hours;
    elapsed_ += *hours;
    row[cell::Hours] = durationText(*hours, durations_);
    if (timed_) {
        row[cell::TotalHours] = durationText(elapsed_, durations_);
        if (const auto eta = arrival()) {
            row[cell::Arrival] = *eta;
        } else {
            row[cell::Error] = joined(row[cell::Error], "预计到达时间在 9999-12-31 之后，无法写出");
            failed(route.leg);
        }
    }
    return steered;
}

std::optional<std::string> TableWriter::arrival() const {
    const auto& departure = settings_.departure;
    return departure ? arrivalText(departure->clock, departure->offsetMinutes.value_or(0), elapsed_)
                     : std::string{};
}

Row TableWriter::row(const RouteRow& given) {
    // A distance or course that is no number fails its row here, before anything is written or
    // summed: nothing below then has a value it cannot write.
    RouteRow route = given;
    if (route.courses && !navigation::finite(*route.courses)) {
        route.courses.reset();
        route.error = joined(route.error.value_or(""),
                             "第 " + std::to_string(route.leg) + " 段的航程和航向无法算出");
    }
    Row row(cell::FieldCount);
    row[cell::From] = route.from;
    row[cell::To] = route.to;
    if (route.end) {
        row[cell::ToLatitude] = latitudeText(route.end->latitude);
        row[cell::ToLongitude] = longitudeText(route.end->longitude);
    }
    const navigation::CompassCorrection& correction = settings_.correction;
    const auto fill = [&](std::optional<double> course, std::size_t trueField) {
        row[trueField] = courseText(course);
        row[trueField + 1] = courseText(correction.magneticCourse(course));
        row[trueField + 2] = courseText(correction.compassCourse(course));
    };
    double miles = 0;
    std::optional<double> steered;
    if (const auto& courses = route.courses) {
        const bool rhumb = route.kind != RowKind::GreatCircle;
        const bool greatCircle = route.kind != RowKind::Rhumb;
        if (rhumb) {
            fill(courses->rhumbCourse, cell::RhumbCourse);
            row[cell::RhumbMiles] = distanceText(courses->rhumbMiles);
            add(rhumbMiles_, row[cell::RhumbMiles]);
        }
        if (greatCircle) {
            fill(courses->initialCourse, cell::InitialCourse);
            row[cell::GreatCircleMiles] = distanceText(courses->greatCircleMiles);
            add(greatCircleMiles_, row[cell::GreatCircleMiles]);
        }
        add(sailedMiles_, rhumb ? row[cell::RhumbMiles] : row[cell::GreatCircleMiles]);
        row[cell::TotalMiles] = sumText(sailedMiles_);
        miles = rhumb ? courses->rhumbMiles : courses->greatCircleMiles;
        steered = rhumb ? courses->rhumbCourse : courses->initialCourse;
    }
    row[cell::Error] = route.error.value_or("");
    if (route.error) {
        failed(route.leg);
    }
    if (settings_.times) {
        if (const auto steer = times(route, miles, row)) {
            steered = steer;
        }
    }
    if (const auto deviation = steered ? correction.deviationOn(*steered) : std::nullopt) {
        row[cell::CompassError] = eastWestText(*correction.variation + *deviation);
    }
    return row;
}

Row TableWriter::totals() const {
    Row row(cell::FieldCount);
    row[cell::From] = "合计";
    row[cell::RhumbMiles] = sumText(rhumbMiles_);
    row[cell::GreatCircleMiles] = sumText(greatCircleMiles_);
    row[cell::TotalMiles] = sumText(sailedMiles_);
    if (hours_) {
        row[cell::Hours] = durationText(*hours_, durations_);
    }
    if (timed_ && hours_) {
        row[cell::TotalHours] = durationText(elapsed_, durations_);
        row[cell::Arrival] = arrival().value_or("");
    }
    std::string note;
    if (!failedList_.empty()) {
        note = "第 " + failedList_ + " 段有误（见其 error 列），合计中缺少其未能算出的各项";
    }
    if (untimedLeg_ && settings_.times) {
        note = joined(note, "第 " + std::to_string(*untimedLeg_) +
                                " 段没有航速，自该段起没有累计航时和预计到达时间");
    }
    row[cell::Error] = note;
    return row;
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

// What the text form says below the table.
std::string notes(const RouteTableSettings& settings) {
    std::string text = compassErrorLine(settings.correction);
    if (settings.method == navigation::SailingMethod::Textbook) {
        text +=
            "航法：大圆航线在 1′ = 1 海里的球面上计算，恒向线按墨卡托航法（航向在 090 或 270 "
            "前后 5° 以内时按中分纬度航法）\n";
    }
    return text;
}

}  // namespace

RouteTable routeTable(std::span<const RouteRow> rows, const RouteTableSettings& settings,
                      TableFormat format, bool escaped) {
    TableWriter writer{settings, format};
    std::vector<Row> table;
    table.emplace_back(cell::FieldCount);
    for (const RouteRow& row : rows) {
        table.push_back(writer.row(row));
    }
    table.push_back(writer.totals());
    // Only the columns the table has, in every row.
    const unsigned has = tableHas(settings, format);
    std::vector<Align> aligns;
    for (Row& row : table) {
        Row kept;
        for (std::size_t i = 0; i < cell::FieldCount; ++i) {
            if ((kColumns[i].needs & has) == kColumns[i].needs) {
                kept.push_back(&row == &table.front()
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
    for (const TableColumn& column : kColumns) {
        if ((column.needs & has) == column.needs) {
            aligns.push_back(column.align);
        }
    }
    RouteTable written;
    written.failedLegs = writer.failedLegs();
    if (format == TableFormat::Text) {
        written.notes = notes(settings);
        written.text = aligned(table, aligns) + written.notes;
    } else {
        written.text = delimited(table, format);
    }
    written.cells = std::move(table);
    return written;
}

}  // namespace orvanto::passage
