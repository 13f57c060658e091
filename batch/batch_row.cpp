#include "cli/batch_row.h"

#include <cmath>
#include <variant>

#include "calculator/decoded_points.h"
#include "calculator/format_thousandths.h"
#include "cli/course_text.h"
#include "cli/courses.h"
#include "cli/geodesic_measures.h"
#include "cli/text_encoding.h"
#include "text/code_points.h"

namespace orvanto::cli {
namespace {

constexpr std::string_view kJoint = "；";

// Each point's texts and mode in the input, and the columns that fill them.
struct PointColumns {
    PointEntries CalculatorInput::*point;
    Column latitude;
    Column longitude;
    Column mode;
};

constexpr PointColumns kPoints[] = {
    {&CalculatorInput::point1, Column::Lat1, Column::Lon1, Column::Mode1},
    {&CalculatorInput::point2, Column::Lat2, Column::Lon2, Column::Mode2},
    {&CalculatorInput::reference, Column::LatR, Column::LonR, Column::ModeR},
};

std::string_view fieldAt(std::span<const std::string_view> fields,
                         const std::optional<std::size_t>& position) {
    return position && *position < fields.size() ? fields[*position] : std::string_view{};
}

// m, s, 分 or 秒 with optional spaces around; empty means the default. Nothing for anything else.
std::optional<EntryMode> modeNamed(std::string_view text, EntryMode fallback) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return fallback;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text == "m" || text == "M" || text == "分") {
        return EntryMode::Minutes;
    }
    if (text == "s" || text == "S" || text == "秒") {
        return EntryMode::Seconds;
    }
    return std::nullopt;
}

void appendThousandths(std::string& out, double value, NumberFormat format) {
    if (std::isfinite(value)) {
        appendNumber(out, formatDecimals(value, kResultDecimals, NumberStyle::Window), format);
    }
}

}  // namespace

RowCalculator::RowCalculator(const BatchColumns& columns, const CalculatorInput& modes,
                             NumberFormat format, bool geodesic, bool navigation,
                             std::optional<double> variation)
    : columns_(columns),
      defaults_(modes),
      format_(format),
      geodesic_(geodesic),
      navigation_(navigation),
      variation_(variation) {}

// Assigning into the same strings keeps their capacity: no allocation once they have grown.
void RowCalculator::readEntries(std::span<const std::string_view> fields) {
    for (std::size_t i = 0; i < std::size(kPoints); ++i) {
        const PointColumns& columns = kPoints[i];
        PointEntries& entries = input_.*columns.point;
        entries.latitude.assign(fieldAt(fields, columns_[columns.latitude]));
        entries.longitude.assign(fieldAt(fields, columns_[columns.longitude]));
        const std::string_view modeText = fieldAt(fields, columns_[columns.mode]);
        const auto mode = modeNamed(modeText, (defaults_.*columns.point).mode);
        entries.mode = mode.value_or(EntryMode::Minutes);
        modeErrors_[i].clear();
        if (!mode) {
            modeErrors_[i] = std::string{columnName(columns.mode)} + " 列的“" +
                             std::string{modeText} +
                             "”无法识别：应为 m、s、分 或 秒，留空则按 --seconds 的设定";
        }
    }
}

const std::string* RowCalculator::modeError(std::size_t pointCount) const {
    for (std::size_t i = 0; i < pointCount; ++i) {
        if (!modeErrors_[i].empty()) {
            return &modeErrors_[i];
        }
    }
    return nullptr;
}

void RowCalculator::addError(RowResults& results, std::string_view message) const {
    if (results.error.empty()) {
        results.error = message;
    } else if (results.error != message) {
        results.error += kJoint;
        results.error += message;
    }
}

// From the decoded degrees, whatever the chord estimate made of them: the geodesic has no range
// limit, so a leg too long for the estimate still gets its geodesic distance. The geodesic angle
// stands beside an angle only: where the estimate has none, nothing compares with it.
void RowCalculator::addGeodesic(RowResults& results) const {
    if (modeError(kDistancePoints) != nullptr) {
        return;
    }
    const auto leg = decodePoints(input_, kDistancePoints);
    if (const auto* points = std::get_if<DecodedPoints>(&leg)) {
        appendThousandths(results.geodesicKilometres,
                          geodesicKilometres(points->point1, points->point2), format_);
    }
    if (results.angle.empty() || !results.error.empty()) {
        return;
    }
    const auto triangle = decodePoints(input_, kAnglePoints);
    if (const auto* points = std::get_if<DecodedPoints>(&triangle)) {
        appendThousandths(results.geodesicAngle,
                          geodesicAngle(points->reference, points->point1, points->point2),
                          format_);
    }
}

// From the same decoded degrees as the row's distance; all empty when they cannot be read.
void RowCalculator::addNavigation(RowResults& results) const {
    results.navigation.assign(courseColumnNames(variation_.has_value()).size(), std::string{});
    if (modeError(kDistancePoints) != nullptr) {
        return;
    }
    const auto leg = decodePoints(input_, kDistancePoints);
    if (const auto* points = std::get_if<DecodedPoints>(&leg)) {
        results.navigation =
            courseFields(measureCourses(points->point1, points->point2), variation_);
    }
}

void RowCalculator::calculate(std::span<const std::string_view> fields, RowResults& results) {
    results.kilometres.clear();
    results.nauticalMiles.clear();
    results.angle.clear();
    results.error.clear();
    results.geodesicKilometres.clear();
    results.geodesicAngle.clear();
    readEntries(fields);

    if (const std::string* error = modeError(kDistancePoints)) {
        addError(results, *error);
    } else {
        const DistanceOutcome distance = calculateDistance(input_);
        if (const auto* texts = std::get_if<DistanceTexts>(&distance)) {
            appendNumber(results.kilometres, texts->kilometres, format_);
            appendNumber(results.nauticalMiles, texts->nauticalMiles, format_);
        } else {
            addError(results, std::get<Message>(distance).text);
        }
    }
    // A distance-only row in a file with a reference point: both reference fields left blank.
    const bool wantsAngle =
        columns_.hasReference() && !(isBlankText(fieldAt(fields, columns_[Column::LatR])) &&
                                     isBlankText(fieldAt(fields, columns_[Column::LonR])));
    if (wantsAngle) {
        if (const std::string* error = modeError(kAnglePoints)) {
            addError(results, *error);
        } else {
            const AngleOutcome angle = calculateAngle(input_);
            if (const auto* text = std::get_if<AngleText>(&angle)) {
                appendNumber(results.angle, text->degrees, format_);
            } else {
                addError(results, std::get<Message>(angle).text);
            }
        }
    }
    if (geodesic_) {
        addGeodesic(results);
    }
    if (navigation_) {
        addNavigation(results);
    }
}

}  // namespace orvanto::cli
