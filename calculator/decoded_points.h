// The calculator's commands in their steps, for a front end that shows several results of one set
// of entries (a batch row: distance, angle and the geodesic columns): every entry box read once,
// point 1 to point 2 measured once, and the result texts computed from them, each step with the
// very checks, messages and texts of calculateDistance and calculateAngle, which are built on it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "calculator/calculation.h"
#include "calculator/decimal_text.h"
#include "geometry/chart_point.h"
#include "geometry/distance.h"

namespace orvanto {

struct DecodedPoints {
    ChartPoint point1;
    ChartPoint point2;
    ChartPoint reference;
};

// One point's entry texts and mode as views, for a caller that holds the texts elsewhere (a batch
// row's fields in the reader's buffer): nothing is copied.
struct PointEntryViews {
    std::string_view latitude;
    std::string_view longitude;
    EntryMode mode = EntryMode::Minutes;
};
using EntryViews = std::array<PointEntryViews, 3>;  // point 1, point 2, the reference point

// How many points each command reads.
inline constexpr std::size_t kDistancePoints = 2;
inline constexpr std::size_t kAnglePoints = 3;

// The boxes of the first `pointCount` points, each read once (readEntry, with the box's axis and
// its point's mode), with what stops a command that needs them.
class DecodedEntries {
  public:
    DecodedEntries(const CalculatorInput& input, std::size_t pointCount);
    DecodedEntries(const EntryViews& texts, std::size_t pointCount);
    // Reads the boxes of another set of texts as the constructor does: one object for every row
    // of a batch file.
    void read(const EntryViews& texts, std::size_t pointCount);

    // The first `pointCount` points (no more than were read), or the message that stops a command
    // needing them: the incomplete-entry check of all their boxes comes first, then the first
    // entry in box order that could not be read. Points beyond `pointCount` are left at zero.
    std::variant<DecodedPoints, Message> pointsOrMessage(std::size_t pointCount) const;
    // Whether pointsOrMessage() gives the points, and, for a caller that has asked, the points it
    // gives then: no message is built on the way.
    bool complete(std::size_t pointCount) const noexcept;
    DecodedPoints pointsWhenComplete(std::size_t pointCount) const noexcept;

  private:
    DecodedPoints points_{};
    std::array<bool, kEntryBoxes.size()> blank_{};
    std::array<std::optional<Message>, kEntryBoxes.size()> failures_{};
};

// DecodedEntries(input, pointCount).pointsOrMessage(pointCount): the points of one command.
std::variant<DecodedPoints, Message> decodePoints(const CalculatorInput& input,
                                                  std::size_t pointCount);

// Point 1 to point 2 on the calculator's sphere, in kilometres: what the distance shows and the
// angle's first side, or the message of an arithmetic fault. Never throws.
std::variant<DistanceMeasurement, Message> measurePoint1ToPoint2(const DecodedPoints& points);

// The kilometres of that distance the 公里 box shows before its thousandths are taken: zero for
// identical points, nothing when the scan found no distance.
std::optional<double> shownKilometres(const DistanceMeasurement& point1ToPoint2) noexcept;

// The 公里 and 海里 texts of that distance (three decimals; nautical miles of 1.852 km read back
// from the kilometre text), or why there are none (points too far apart for the estimate). The
// window's style is what the result boxes show; a batch file may ask for the plain one. Never
// throws.
DistanceOutcome distanceTexts(const DistanceMeasurement& point1ToPoint2,
                              NumberStyle style = NumberStyle::Window);
// The same texts written over the two strings, which keep their room (a batch row's boxes), or
// the message, both strings then empty.
std::optional<Message> writeDistanceTexts(const DistanceMeasurement& point1ToPoint2,
                                          NumberStyle style, std::string& kilometresText,
                                          std::string& nauticalMilesText);

// The angle at the reference point of points decoded for the angle (all three), with point 1 to
// point 2 as measurePoint1ToPoint2 gave it: degrees, 0 to 179.999, to three decimals, or the
// message that stops it. Never throws.
AngleOutcome angleText(const DecodedPoints& points, const DistanceMeasurement& point1ToPoint2,
                       NumberStyle style = NumberStyle::Window);

// The degrees angleText writes before its thousandths are taken, or the message it gives instead.
std::variant<double, Message> angleDegrees(const DecodedPoints& points,
                                           const DistanceMeasurement& point1ToPoint2);

}  // namespace orvanto
