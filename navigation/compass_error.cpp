#include "navigation/compass_error.h"

#include <algorithm>
#include <cmath>

#include "calculator/decimal_text.h"
#include "navigation/courses.h"
#include "navigation/table_file.h"
#include "navigation/variation.h"

namespace orvanto::navigation {
namespace {

constexpr NamedColumn kCardColumns[] = {{"heading", "航向", true}, {"deviation", "自差", true}};
constexpr TableDescription kCardFile = {
    "自差表", "heading,deviation", "自差表的表头须有 heading、deviation 两列（或 航向、自差）"};

std::string lineText(std::size_t line) {
    return "自差表第 " + std::to_string(line) + " 行";
}

}  // namespace

Expected<DeviationCard, std::string> readDeviationCard(batch::CsvReader& reader,
                                                       batch::TextCodec& codec) {
    auto table = TableFile::open(reader, codec, kCardColumns, kCardFile);
    if (!table) {
        return unexpected(table.error());
    }
    DeviationCard card;
    std::vector<std::size_t> lines;
    TableRecord record;
    while (table.value().next(record)) {
        if (record.unreadable) {
            return unexpected(lineText(record.line) + "：" + *record.unreadable);
        }
        const auto heading = readCourse(record.fields[0]);
        if (!heading || heading->reference == CourseReference::Compass) {
            return unexpected(lineText(record.line) + "的航向“" + record.fields[0] +
                              "”无法识别：应为 0 到 360 的磁航向度数，如 015");
        }
        const auto deviation = readDeviation(record.fields[1]);
        if (!deviation) {
            return unexpected(lineText(record.line) + "的自差“" + record.fields[1] +
                              "”无法识别：应为度数，西为负、东为正，如 2.5W、-2.5 或 1E");
        }
        const auto same =
            std::find_if(card.entries.begin(), card.entries.end(),
                         [&](const auto& e) { return e.heading == heading->degrees; });
        if (same != card.entries.end()) {
            return unexpected(
                lineText(record.line) + "的航向“" + record.fields[0] + "”与第 " +
                std::to_string(lines[static_cast<std::size_t>(same - card.entries.begin())]) +
                " 行的重复");
        }
        card.entries.push_back({heading->degrees, *deviation});
        lines.push_back(record.line);
    }
    if (card.entries.size() < 2) {
        return unexpected(std::string{"自差表至少要有两个航向的自差"});
    }
    std::sort(card.entries.begin(), card.entries.end(),
              [](const auto& a, const auto& b) { return a.heading < b.heading; });
    return card;
}

double deviationAt(const DeviationCard& card, double magneticHeading) {
    const auto& entries = card.entries;
    const double heading = normalisedCourse(magneticHeading);
    // The first entry at or after the heading; past the last one, the first again, a turn on.
    const auto next =
        std::lower_bound(entries.begin(), entries.end(), heading,
                         [](const auto& entry, double h) { return entry.heading < h; });
    const auto& after = next == entries.end() ? entries.front() : *next;
    const auto& before = next == entries.begin() ? entries.back() : *(next - 1);
    const double span = normalisedCourse(after.heading - before.heading);
    const double gone = normalisedCourse(heading - before.heading);
    if (span == 0) {
        return before.deviation;
    }
    return before.deviation + (after.deviation - before.deviation) * gone / span;
}

std::optional<double> CompassCorrection::magneticCourse(std::optional<double> trueCourse) const {
    if (!trueCourse || !variation) {
        return std::nullopt;
    }
    return navigation::magneticCourse(trueCourse, *variation);
}

std::optional<double> CompassCorrection::deviationOn(double trueCourse) const {
    if (!compass()) {
        return std::nullopt;
    }
    return deviation ? *deviation : deviationAt(*card, *magneticCourse(trueCourse));
}

std::optional<double> CompassCorrection::compassCourse(std::optional<double> trueCourse) const {
    if (!trueCourse || !compass()) {
        return std::nullopt;
    }
    const double magnetic = *magneticCourse(trueCourse);
    return normalisedCourse(magnetic - (deviation ? *deviation : deviationAt(*card, magnetic)));
}

std::optional<double> CompassCorrection::trueCourse(const TypedCourse& course) const {
    switch (course.reference) {
        case CourseReference::True:
            return course.degrees;
        case CourseReference::Magnetic:
            return variation ? std::optional{normalisedCourse(course.degrees + *variation)}
                             : std::nullopt;
        case CourseReference::Compass:
            return variation && deviation
                       ? std::optional{normalisedCourse(course.degrees + *deviation + *variation)}
                       : std::nullopt;
    }
    return std::nullopt;
}

std::string eastWestText(double degrees) {
    const std::string magnitude = formatDecimals(std::fabs(degrees), 1, NumberStyle::Fixed);
    return magnitude + "°" + (magnitude == "0.0" ? "" : degrees < 0 ? "W" : "E");
}

std::string compassErrorText(double variation, double deviation) {
    return "罗经差 " + eastWestText(variation + deviation) + "（磁差 " + eastWestText(variation) +
           "，自差 " + eastWestText(deviation) + "）";
}

}  // namespace orvanto::navigation
