#include "calculator/decoded_points.h"

#include <cmath>
#include <optional>
#include <span>
#include <string_view>
#include <tuple>
#include <utility>

#include "calculator/decimal_text.h"
#include "calculator/messages.h"
#include "geometry/arithmetic_fault.h"
#include "geometry/chart_constants.h"
#include "geometry/three_point_angle.h"
#include "notation/entry_errors.h"
#include "notation/entry_reading.h"
#include "text/code_points.h"
#include "text/expected.h"

namespace orvanto {
namespace {

// Where each point's degrees stand in the decoded points, in reading order.
constexpr ChartPoint DecodedPoints::*kDecodedPoints[] = {
    &DecodedPoints::point1, &DecodedPoints::point2, &DecodedPoints::reference};

// The boxes of the first `pointCount` points, in reading order.
std::span<const EntryBoxRow> boxesOf(std::size_t pointCount) {
    return std::span{kEntryBoxes}.first(2 * pointCount);
}

// The entry's degrees, or why it cannot be read: the one place where the reading's errors
// become the user's message.
Expected<double, Message> readBox(std::string_view text, EntryMode mode, Axis axis, EntryBox box) {
    const EntryReading degrees = readEntryOrFailure(text, mode, axis);
    if (degrees) {
        return degrees.value();
    }
    switch (degrees.error().kind) {
        case EntryFailure::Kind::Overflow:
            return unexpected(entryFailureMessage(box, text, mode, MessageKind::Overflow));
        case EntryFailure::Kind::TypeMismatch:
            return unexpected(entryFailureMessage(box, text, mode, MessageKind::TypeMismatch));
        case EntryFailure::Kind::Form:
            return unexpected(entryFormMessage(box, text, degrees.error().problem));
        case EntryFailure::Kind::OutOfRange:
            break;
    }
    return unexpected(outOfRangeMessage(box, text));
}

}  // namespace

DecodedEntries::DecodedEntries(const CalculatorInput& input, std::size_t pointCount)
    : DecodedEntries(
          EntryViews{{{input.point1.latitude, input.point1.longitude, input.point1.mode},
                      {input.point2.latitude, input.point2.longitude, input.point2.mode},
                      {input.reference.latitude, input.reference.longitude, input.reference.mode}}},
          pointCount) {}

DecodedEntries::DecodedEntries(const EntryViews& texts, std::size_t pointCount) {
    read(texts, pointCount);
}

void DecodedEntries::read(const EntryViews& texts, std::size_t pointCount) {
    for (const EntryBoxRow& row : boxesOf(pointCount)) {
        const std::size_t point = pointIndex(row.point);
        const PointEntryViews& entries = texts[point];
        const std::string_view text =
            row.axis == Axis::Latitude ? entries.latitude : entries.longitude;
        const auto at = static_cast<std::size_t>(&row - kEntryBoxes.data());
        ChartPoint& decoded = points_.*kDecodedPoints[point];
        double& degrees = row.axis == Axis::Latitude ? decoded.latitude : decoded.longitude;
        failures_[at].reset();
        // Digits and a point, as nearly every entry is, are no blank box.
        const std::optional<double> plain = readPlainEntry(text, entries.mode, row.axis);
        // A box of blanks or invisible characters looks empty to the user, and is: reading it as
        // a number would put a place where nothing was typed.
        blank_[at] = !plain && isBlankText(text);
        if (plain) {
            degrees = *plain;
        } else if (!blank_[at]) {
            if (auto read = readBox(text, entries.mode, row.axis, row.box)) {
                degrees = read.value();
            } else {
                failures_[at] = std::move(read).error();
            }
        }
    }
}

std::variant<DecodedPoints, Message> DecodedEntries::pointsOrMessage(std::size_t pointCount) const {
    const std::span boxes = boxesOf(pointCount);
    for (std::size_t at = 0; at < boxes.size(); ++at) {
        if (blank_[at]) {
            return incompleteEntryMessage(boxes[at].box);
        }
    }
    for (std::size_t at = 0; at < boxes.size(); ++at) {
        if (failures_[at]) {
            return *failures_[at];
        }
    }
    return pointsWhenComplete(pointCount);
}

bool DecodedEntries::complete(std::size_t pointCount) const noexcept {
    const std::size_t boxes = boxesOf(pointCount).size();
    for (std::size_t at = 0; at < boxes; ++at) {
        if (blank_[at] || failures_[at]) {
            return false;
        }
    }
    return true;
}

DecodedPoints DecodedEntries::pointsWhenComplete(std::size_t pointCount) const noexcept {
    DecodedPoints points = points_;
    for (std::size_t point = pointCount; point < std::size(kDecodedPoints); ++point) {
        points.*kDecodedPoints[point] = {};
    }
    return points;
}

std::variant<DecodedPoints, Message> decodePoints(const CalculatorInput& input,
                                                  std::size_t pointCount) {
    return DecodedEntries{input, pointCount}.pointsOrMessage(pointCount);
}

std::variant<DistanceMeasurement, Message> measurePoint1ToPoint2(const DecodedPoints& points) {
    if (const auto measured =
            measureDistanceUnlessFault({.from = points.point1, .to = points.point2})) {
        return *measured;
    }
    return arithmeticFaultMessage();
}

std::optional<double> shownKilometres(const DistanceMeasurement& point1ToPoint2) noexcept {
    if (!point1ToPoint2.matched) {
        return std::nullopt;
    }
    // Identical or nearly identical points match one step below zero: a tiny negative distance,
    // which would show as "-.". Zero is what the user means and what the 海里 box shows anyway.
    return point1ToPoint2.kilometres > 0 ? point1ToPoint2.kilometres : 0.0;
}

std::optional<Message> writeDistanceTexts(const DistanceMeasurement& point1ToPoint2,
                                          NumberStyle style, std::string& kilometresText,
                                          std::string& nauticalMilesText) try {
    kilometresText.clear();
    nauticalMilesText.clear();
    const std::optional<double> kilometres = shownKilometres(point1ToPoint2);
    if (!kilometres) {
        return pointsTooFarApartMessage(Point::One, Point::Two, "距离");
    }
    // Nautical miles are converted from the kilometres as shown, not from the unrounded distance,
    // so that the two boxes always agree with each other (in either style: ".5" and "0.5" read
    // alike).
    const double shown = assignShownDecimals(kilometresText, *kilometres, kResultDecimals, style);
    assignDecimals(nauticalMilesText, shown / chart::kKilometresPerNauticalMile, kResultDecimals,
                   style);
    return std::nullopt;
} catch (const ArithmeticFault&) {
    kilometresText.clear();  // no half of a result beside the message
    return arithmeticFaultMessage();
}

DistanceOutcome distanceTexts(const DistanceMeasurement& point1ToPoint2, NumberStyle style) {
    DistanceTexts texts;
    if (std::optional<Message> message =
            writeDistanceTexts(point1ToPoint2, style, texts.kilometres, texts.nauticalMiles)) {
        return std::move(*message);
    }
    return texts;
}

std::variant<double, Message> angleDegrees(const DecodedPoints& points,
                                           const DistanceMeasurement& point1ToPoint2) {
    const std::optional<AngleMeasurement> measured = measureThreePointAngleUnlessFault(
        {.point1 = points.point1, .point2 = points.point2, .reference = points.reference},
        point1ToPoint2);
    if (!measured) {
        return arithmeticFaultMessage();
    }
    const AngleMeasurement& angle = *measured;
    // The distances are checked in the order they were measured.
    const std::tuple<const DistanceMeasurement&, Point, Point> distances[] = {
        {angle.point1ToPoint2, Point::One, Point::Two},
        {angle.point1ToReference, Point::One, Point::Reference},
        {angle.referenceToPoint2, Point::Reference, Point::Two},
    };
    for (const auto& [distance, from, to] : distances) {
        if (!distance.matched) {
            return pointsTooFarApartMessage(from, to, "夹角");
        }
    }
    // On top of point 1 or point 2 the reference point has no direction to it, whatever the scan
    // then happens to match (90.004 for one point, 60.005 for three equal ones).
    if (angle.point1ToReference.kilometres <= 0) {
        return pointsCoincideMessage(Point::One);
    }
    if (angle.referenceToPoint2.kilometres <= 0) {
        return pointsCoincideMessage(Point::Two);
    }
    if (!angle.matched) {
        return angleNotDeterminableMessage(angle);
    }
    // A scan's angle is finite; formatDecimals would throw for any other.
    if (!std::isfinite(angle.degrees)) {
        return arithmeticFaultMessage();
    }
    return angle.degrees;
}

AngleOutcome angleText(const DecodedPoints& points, const DistanceMeasurement& point1ToPoint2,
                       NumberStyle style) {
    const std::variant<double, Message> degrees = angleDegrees(points, point1ToPoint2);
    if (const auto* message = std::get_if<Message>(&degrees)) {
        return *message;
    }
    return AngleText{formatDecimals(std::get<double>(degrees), kResultDecimals, style)};
}

}  // namespace orvanto
