#include "calculator/calculation.h"

#include <span>
#include <string_view>
#include <tuple>

#include "calculator/decoded_points.h"
#include "calculator/format_thousandths.h"
#include "calculator/messages.h"
#include "geometry/arithmetic_fault.h"
#include "geometry/three_point_angle.h"
#include "notation/entry_decoding.h"
#include "notation/entry_errors.h"
#include "notation/entry_reading.h"
#include "text/code_points.h"

namespace orvanto {
namespace {

constexpr double kKilometresPerNauticalMile = 1.852;

// Where each point's texts stand in the input and which boxes show them, in reading order.
struct PointSource {
    const PointEntries CalculatorInput::*entries;
    ChartPoint DecodedPoints::*decoded;
    EntryBox latitudeBox;
    EntryBox longitudeBox;
};

constexpr PointSource kPointSources[] = {
    {&CalculatorInput::point1, &DecodedPoints::point1, EntryBox::Point1Latitude,
     EntryBox::Point1Longitude},
    {&CalculatorInput::point2, &DecodedPoints::point2, EntryBox::Point2Latitude,
     EntryBox::Point2Longitude},
    {&CalculatorInput::reference, &DecodedPoints::reference, EntryBox::ReferenceLatitude,
     EntryBox::ReferenceLongitude},
};

// Reads one entry into `degrees`, or tells why it cannot be read.
std::optional<Message> readInto(double& degrees, const std::string& text, EntryMode mode, Axis axis,
                                EntryBox box) {
    try {
        degrees = readEntry(text, mode, axis);
        return std::nullopt;
    } catch (const OverflowError&) {
        return entryFailureMessage(box, text, mode, MessageKind::Overflow);
    } catch (const TypeMismatchError&) {
        return entryFailureMessage(box, text, mode, MessageKind::TypeMismatch);
    } catch (const EntryFormError& error) {
        return entryFormMessage(box, text, error.problem());
    } catch (const OutOfRangeError&) {
        return outOfRangeMessage(box, text);
    }
}

}  // namespace

std::variant<DecodedPoints, Message> decodePoints(const CalculatorInput& input,
                                                  std::size_t pointCount) {
    const std::span sources{kPointSources, pointCount};
    for (const PointSource& source : sources) {
        const PointEntries& entries = input.*source.entries;
        // A box of blanks or invisible characters looks empty to the user, and is: reading it as
        // a number would put a place where nothing was typed.
        if (isBlankText(entries.latitude)) {
            return incompleteEntryMessage(source.latitudeBox);
        }
        if (isBlankText(entries.longitude)) {
            return incompleteEntryMessage(source.longitudeBox);
        }
    }
    DecodedPoints decoded{};
    for (const PointSource& source : sources) {
        const PointEntries& entries = input.*source.entries;
        ChartPoint& point = decoded.*source.decoded;
        if (auto failure = readInto(point.latitude, entries.latitude, entries.mode, Axis::Latitude,
                                    source.latitudeBox)) {
            return std::move(*failure);
        }
        if (auto failure = readInto(point.longitude, entries.longitude, entries.mode,
                                    Axis::Longitude, source.longitudeBox)) {
            return std::move(*failure);
        }
    }
    return decoded;
}

namespace {

DistanceOutcome distanceTexts(const DecodedPoints& p) {
    const DistanceMeasurement d = measureDistance({.from = p.point1, .to = p.point2});
    if (!d.matched) {
        return pointsTooFarApartMessage(Point::One, Point::Two, "距离");
    }
    DistanceTexts texts;
    // Identical or nearly identical points match one step below zero: a tiny negative distance,
    // which would show as "-.". Zero is what the user means and what the 海里 box shows anyway.
    texts.kilometres = formatThousandths(d.kilometres > 0 ? d.kilometres : 0.0, kKilometrePattern);
    // Nautical miles are converted from the kilometre text as shown, not from the unrounded
    // distance, so that the two boxes always agree with each other.
    const double nauticalMiles = leadingNumber(texts.kilometres) / kKilometresPerNauticalMile;
    texts.nauticalMiles = formatThousandths(nauticalMiles, kNauticalMilePattern);
    return texts;
}

AngleOutcome angleText(const DecodedPoints& p) {
    const AngleMeasurement angle =
        measureThreePointAngle({.point1 = p.point1, .point2 = p.point2, .reference = p.reference});
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
    return AngleText{formatThousandths(angle.degrees, kAnglePattern)};
}

// Decodes the points a command needs and computes its result; an arithmetic fault anywhere in the
// geometry or the formatting becomes a message like any other failure.
template <typename Outcome>
Outcome calculate(const CalculatorInput& input, std::size_t pointCount,
                  Outcome (*compute)(const DecodedPoints&)) {
    auto decoded = decodePoints(input, pointCount);
    if (auto* message = std::get_if<Message>(&decoded)) {
        return std::move(*message);
    }
    try {
        return compute(std::get<DecodedPoints>(decoded));
    } catch (const ArithmeticFault&) {
        return arithmeticFaultMessage();
    }
}

}  // namespace

DistanceOutcome calculateDistance(const CalculatorInput& input) {
    return calculate(input, kDistancePoints, distanceTexts);
}

AngleOutcome calculateAngle(const CalculatorInput& input) {
    return calculate(input, kAnglePoints, angleText);
}

}  // namespace orvanto
