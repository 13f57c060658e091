#include "distance_command.h"

#include "distance.h"
#include "entry_decoding.h"
#include "format_thousandths.h"

namespace orvanto {

CommandOutcome runDistanceCommand(WindowServices& window) {
    using enum TextBox;
    if (!requireEntries(window, {Text1, Text2, Text3, Text4})) {
        return CommandOutcome::Stopped;
    }
    return runReportingFailures(window, [&window] {
        const ChartPoint p1 = readPoint(window, kPoint1);
        const ChartPoint p2 = readPoint(window, kPoint2);
        const DistanceMeasurement d =
            measureDistance(p1.latitude, p1.longitude, p2.latitude, p2.longitude);
        if (!d.matched) {
            throw CommandStop{
                {FailureKind::PointsTooFarApart, pointsTooFarApartMessage(Text1, Text3, "距离")}};
        }
        window.setText(Text7, formatThousandths(d.kilometres, kKilometrePattern));
        // Nautical miles are converted from the kilometre text as shown, not from the unrounded
        // distance, so that the two boxes always agree with each other.
        const double nauticalMiles = leadingNumber(window.text(Text7)) / kKilometresPerNauticalMile;
        window.setText(Text8, formatThousandths(nauticalMiles, kNauticalMilePattern));
    });
}

}  // namespace orvanto
