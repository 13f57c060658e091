#include "passage/reckoning_report.h"

#include "navigation/mercator_sailing.h"
#include "passage/course_report.h"
#include "passage/course_text.h"
#include "passage/position_text.h"
#include "passage/worked_solution_text.h"

namespace orvanto::passage {
namespace {

using navigation::SailingMethod;

std::string position(const ChartPoint& point) {
    return latitudeText(point.latitude) + " " + longitudeText(point.longitude);
}

}  // namespace

std::string reckoningReport(const navigation::Reckoning& reckoning, const ReckoningNotes& notes,
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
        out += "对地航向 " + labelledCourse(notes.run.course, {}, notes.courseForm) +
               "，对地航程 " + distanceText(notes.run.nauticalMiles) + " 海里\n";
    }
    const bool textbook = notes.method == navigation::SailingMethod::Textbook;
    out += !textbook                                      ? "恒向线：  "
           : navigation::nearlyEastWest(notes.run.course) ? "恒向线（中分纬度航法）："
                                                          : "恒向线（墨卡托航法）：";
    out += position(reckoning.rhumb) + "\n";
    out += textbook ? "大圆航线（球面，1′ = 1 海里）：" : "大圆航线：";
    out += position(reckoning.greatCircle) + "，最终航向 " +
           labelledCourse(reckoning.finalCourse, notes.correction, notes.courseForm) + "\n";
    out += compassErrorLine(notes.correction);
    if (notes.showWork && textbook) {
        if (const auto steps = navigation::reckoningSteps(notes.start, notes.run)) {
            out += reckoningWork(*steps);
        }
    }
    return out;
}

}  // namespace orvanto::passage
