#include "angle_command.h"

#include "format_thousandths.h"
#include "three_point_angle.h"

namespace orvanto {
namespace {

void requireMatch(const DistanceMeasurement& distance, TextBox firstPoint, TextBox secondPoint) {
    if (!distance.matched) {
        throw CommandStop{{FailureKind::PointsTooFarApart,
                           pointsTooFarApartMessage(firstPoint, secondPoint, "夹角")}};
    }
}

}  // namespace

CommandOutcome runAngleCommand(WindowServices& window) {
    using enum TextBox;
    if (!requireEntries(window, {Text1, Text2, Text3, Text4, Text5, Text6})) {
        return CommandOutcome::Stopped;
    }
    return runReportingFailures(window, [&window] {
        const ChartPoint p1 = readPoint(window, kPoint1);
        const ChartPoint p2 = readPoint(window, kPoint2);
        const ChartPoint r = readPoint(window, kReferencePoint);
        const AngleMeasurement angle = measureThreePointAngle(
            p1.latitude, p1.longitude, p2.latitude, p2.longitude, r.latitude, r.longitude);
        requireMatch(angle.point1ToPoint2, Text1, Text3);
        requireMatch(angle.point1ToReference, Text1, Text5);
        requireMatch(angle.referenceToPoint2, Text5, Text3);
        if (!angle.matched) {
            throw CommandStop{
                {FailureKind::AngleNotDeterminable,
                 angleNotDeterminableMessage(angle.cosine, angle.point1ToReference.kilometres,
                                             angle.referenceToPoint2.kilometres)}};
        }
        window.setText(Text9, formatThousandths(angle.degrees, kAnglePattern));
    });
}

}  // namespace orvanto
