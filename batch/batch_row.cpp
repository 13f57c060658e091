#include "batch/batch_row.h"

#include <limits>
#include <variant>

#include "calculator/decoded_points.h"
#include "calculator/messages.h"
#include "geometry/chart_constants.h"
#include "text/code_points.h"

namespace orvanto::batch {
namespace {

constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();

// Each point's mode default, and the columns that fill its texts and mode.
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

}  // namespace

RowCalculator::RowCalculator(const BatchColumns& columns, const DefaultModes& defaults,
                             NumberStyle style, std::span<const ColumnProvider* const> providers,
                             bool numbers)
    : columns_(columns),
      defaults_(defaults.modes),
      defaultModeSource_(defaults.source),
      style_(style),
      providers_(providers.begin(), providers.end()),
      numbers_(numbers) {
    for (const ColumnProvider* provider : providers_) {
        extraCount_ += provider->names().size();
    }
}

// Views of the fields, no copies: they are read only while this row is calculated.
void RowCalculator::readEntries(std::span<const std::string_view> fields) {
    // Without reference columns no row reads the reference point: its texts stay empty.
    const std::size_t points = columns_.hasReference() ? std::size(kPoints) : kDistancePoints;
    for (std::size_t i = 0; i < points; ++i) {
        const PointColumns& columns = kPoints[i];
        PointEntryViews& entries = texts_[i];
        entries.latitude = fieldAt(fields, columns_[columns.latitude]);
        entries.longitude = fieldAt(fields, columns_[columns.longitude]);
        const std::string_view modeText = fieldAt(fields, columns_[columns.mode]);
        const auto mode = entryModeNamed(modeText, (defaults_.*columns.point).mode);
        entries.mode = mode.value_or(EntryMode::Minutes);
        modeErrors_[i].clear();
        if (!mode) {
            modeErrors_[i] = std::string{columnName(columns.mode)} + " 列的“" +
                             std::string{modeText} + "”无法识别：应为 m、s、分 或 秒，留空则按" +
                             std::string{defaultModeSource_};
        }
    }
}

Expected<void, std::string_view> RowCalculator::readModes(std::size_t pointCount) const noexcept {
    for (std::size_t i = 0; i < pointCount; ++i) {
        if (!modeErrors_[i].empty()) {
            return unexpected(std::string_view{modeErrors_[i]});
        }
    }
    return {};
}

void RowCalculator::addError(RowResults& results, std::string_view message) const {
    if (results.error.empty()) {
        results.error = message;
    } else if (results.error != message) {
        results.error += kMessageSeparator;
        results.error += message;
    }
}

// From the decoded degrees, whatever the chord estimate made of them: the geodesic, for one, has
// no range limit, so a leg too long for the estimate still gets its geodesic distance.
void RowCalculator::addExtra(RowResults& results, const DecodedPoints& points,
                             bool withReference) const {
    std::span<std::string> fields{results.extra};
    std::span<double> values{results.numbers};
    if (numbers_) {
        values = values.subspan(kPlainResultColumns - 1);
    }
    for (const ColumnProvider* provider : providers_) {
        const std::size_t count = provider->names().size();
        if (numbers_) {
            provider->fillNumbers(points, withReference, values.first(count));
            values = values.subspan(count);
        } else {
            provider->fill(points, withReference, fields.first(count));
            fields = fields.subspan(count);
        }
    }
}

// The distance's texts (or, with numbers asked for, its numbers alone), or its message.
void RowCalculator::putDistance(const DistanceMeasurement& measured, RowResults& results) const {
    if (numbers_) {
        if (const std::optional<double> kilometres = shownKilometres(measured)) {
            results.numbers[0] = *kilometres;
            results.numbers[1] = *kilometres / chart::kKilometresPerNauticalMile;
        } else {
            addError(results, pointsTooFarApartMessage(Point::One, Point::Two, "距离").text);
        }
        return;
    }
    if (const std::optional<Message> message =
            writeDistanceTexts(measured, style_, results.kilometres, results.nauticalMiles)) {
        addError(results, message->text);
    }
}

// The angle's text, or its message; whether there is the text.
bool RowCalculator::putAngle(const DecodedPoints& points, const DistanceMeasurement& point1ToPoint2,
                             RowResults& results) const {
    const std::variant<double, Message> degrees = angleDegrees(points, point1ToPoint2);
    if (const auto* message = std::get_if<Message>(&degrees)) {
        addError(results, message->text);
        return false;
    }
    const double angle = std::get<double>(degrees);
    if (numbers_) {
        results.numbers[2] = angle;
    } else {
        assignDecimals(results.angle, angle, kResultDecimals, style_);
    }
    return true;
}

// Why the first `pointCount` points cannot be computed, when entries_ is not complete for them.
void RowCalculator::addEntryError(RowResults& results, std::size_t pointCount) const {
    addError(results, std::get<Message>(entries_.pointsOrMessage(pointCount)).text);
}

void RowCalculator::addFaultError(RowResults& results) const {
    addError(results, arithmeticFaultMessage().text);
}

// A frame with nothing to destroy, as BatchRun's rows: the messages are built in the functions
// above, so that a row's calls need no trip through JavaScript in the browser build.
void RowCalculator::calculate(std::span<const std::string_view> fields, RowResults& results) {
    results.kilometres.clear();
    results.nauticalMiles.clear();
    results.angle.clear();
    results.error.clear();
    results.extra.resize(extraCount_);
    for (std::string& field : results.extra) {
        field.clear();
    }
    if (numbers_) {
        results.numbers.assign(kPlainResultColumns - 1 + extraCount_, kNoNumber);
    }
    readEntries(fields);
    // A distance-only row in a file with a reference point: both reference fields left blank.
    const bool wantsAngle =
        columns_.hasReference() && !(isBlankText(fieldAt(fields, columns_[Column::LatR])) &&
                                     isBlankText(fieldAt(fields, columns_[Column::LonR])));
    entries_.read(texts_, wantsAngle ? kAnglePoints : kDistancePoints);

    // Point 1 to point 2, decoded and measured once for every column that needs them.
    std::optional<DecodedPoints> points;
    if (const auto modes = readModes(kDistancePoints); !modes) {
        addError(results, modes.error());
    } else if (!entries_.complete(kDistancePoints)) {
        addEntryError(results, kDistancePoints);
    } else {
        points = entries_.pointsWhenComplete(kDistancePoints);
    }
    // Measured straight into the optional it is kept in: one assigned whole is read back in a
    // single load from the smaller stores that wrote it, which the processor cannot forward.
    const std::optional<DistanceMeasurement> measured =
        points ? measureDistanceUnlessFault({.from = points->point1, .to = points->point2})
               : std::nullopt;
    if (points && measured) {
        putDistance(*measured, results);
    } else if (points) {
        addFaultError(results);
    }
    bool angled = false;
    if (wantsAngle) {
        if (const auto modes = readModes(kAnglePoints); !modes) {
            addError(results, modes.error());
        } else if (!entries_.complete(kAnglePoints)) {
            addEntryError(results, kAnglePoints);
        } else if (!measured) {
            // The three points read, so point 1 and point 2 did and were measured.
            addFaultError(results);
        } else if (const DecodedPoints triangle = entries_.pointsWhenComplete(kAnglePoints);
                   putAngle(triangle, *measured, results)) {
            angled = true;
            if (results.error.empty()) {
                points = triangle;
            }
        }
    }
    if (points) {
        // The reference point stands beside an angle only: where there is none, nothing
        // compares with it.
        addExtra(results, *points, angled && results.error.empty());
    }
}

}  // namespace orvanto::batch
