#include "navigation/reckoning.h"

#include <cmath>

#include "navigation/course_report.h"
#include "navigation/course_text.h"
#include "navigation/courses.h"
#include "navigation/great_circles.h"
#include "navigation/mercator_sailing.h"
#include "navigation/position_text.h"
#include "navigation/rhumb_lines.h"

namespace orvanto::navigation {
namespace {

std::string position(const ChartPoint& point) {
    return latitudeText(point.latitude) + " " + longitudeText(point.longitude);
}

}  // namespace

Expected<Reckoning, std::string> reckon(const ChartPoint& start, const Run& run,
                                        SailingMethod method) {
    const std::optional<ChartPoint> rhumb = sailRhumbLine(start, run, method);
    if (!rhumb && std::fabs(start.latitude) == kPoleLatitude) {
        return unexpected(std::string{
            "从极点出发的恒向线只能沿经线航行，无法推算：北极请用航向 180，南极请用航向 000"});
    }
    if (!rhumb) {
        return unexpected(
            std::string{"恒向线在航程走完之前就到达或越过了极点，无法推算：请缩短航程或改变航向"});
    }
    const Arrival arrival = sailGreatCircle(start, run, method);
    ChartPoint greatCircle = arrival.position;
    greatCircle.longitude = wrappedLongitude(greatCircle.longitude);
    return Reckoning{*rhumb, greatCircle, arrival.course};
}

std::string reckoningReport(const Reckoning& reckoning, const ReckoningNotes& notes,
                            TableFormat format) {
    if (format != TableFormat::Text) {
        const ChartPoint& r = reckoning.rhumb;
        const ChartPoint& g = reckoning.greatCircle;
        return latitudeText(r.latitude) + "\t" + longitudeText(r.longitude) + "\t" +
               latitudeText(g.latitude) + "\t" + longitudeText(g.longitude) + "\t" +
               courseText(reckoning.finalCourse) + "\t" + latitudeDegreesText(r.latitude) + "\t" +
               longitudeDegreesText(r.longitude) + "\t" + latitudeDegreesText(g.latitude) + "\t" +
               longitudeDegreesText(g.longitude) + "\n";
    }
    std::string out = "起点 " + positionAsRead(notes.start, notes.startMode) + "\n";
    if (notes.overGround) {
        out += "对地航向 " + courseText(notes.run.course) + "°T，对地航程 " +
               nauticalMilesText(notes.run.nauticalMiles * kKilometresPerNauticalMile) + " 海里\n";
    }
    const bool textbook = notes.method == SailingMethod::Textbook;
    out += !textbook                          ? "恒向线：  "
           : nearlyEastWest(notes.run.course) ? "恒向线（中分纬度航法）："
                                              : "恒向线（墨卡托航法）：";
    out += position(reckoning.rhumb) + "\n";
    out += textbook ? "大圆航线（球面，1′ = 1 海里）：" : "大圆航线：";
    out += position(reckoning.greatCircle) + "，最终航向 " +
           labelledCourse(reckoning.finalCourse, notes.correction) + "\n";
    return out + compassErrorLine(notes.correction);
}

}  // namespace orvanto::navigation
