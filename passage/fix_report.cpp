#include "passage/fix_report.h"

#include <cmath>
#include <cstdio>

#include "calculator/decimal_text.h"
#include "navigation/rhumb_lines.h"
#include "passage/course_text.h"
#include "passage/position_text.h"

namespace orvanto::passage {
namespace {

using navigation::PositionLineKind;

std::string position(const ChartPoint& point) {
    return latitudeText(point.latitude) + " " + longitudeText(point.longitude);
}

// One decimal always, as the courses: "75.0°".
std::string angleText(double degrees) {
    char written[32];
    std::snprintf(written, sizeof written, "%.1f", std::round(degrees * 10) / 10);
    return written;
}

std::string degreesText(double degrees) {
    return angleText(degrees) + "°";
}

std::string lineText(const ReadObservation& seen, std::size_t index) {
    const navigation::PositionLine& line = seen.line;
    std::string out = "位置线" + std::to_string(index + 1) + "：";
    switch (line.kind) {
        case PositionLineKind::Bearing:
            out += "方位 " + courseText(line.value) + "°T，物标 " +
                   positionAsRead(line.landmark, seen.mode);
            break;
        case PositionLineKind::Range:
            out += "距离 " + distanceText(line.value) + " 海里，物标 " +
                   positionAsRead(line.landmark, seen.mode);
            break;
        case PositionLineKind::HorizontalAngle:
            out += "水平夹角 " + degreesText(line.value) + "，物标1 " +
                   positionAsRead(line.landmark, seen.mode) + "，物标2 " +
                   positionAsRead(line.second, seen.mode);
            break;
    }
    if (seen.time) {
        out += "，" + seen.time->text;
    }
    if (line.run.nauticalMiles > 0 || line.drift.nauticalMiles > 0) {
        out += "，移线 " + courseText(line.run.course) + "°T " +
               distanceText(line.run.nauticalMiles) + " 海里";
        if (line.drift.nauticalMiles > 0) {
            out += "，流 " + courseText(line.drift.course) + "°T " +
                   distanceText(line.drift.nauticalMiles) + " 海里";
        }
    }
    return out + "\n";
}

bool poorCut(double cut) {
    return cut < kPoorestCut || cut > 180 - kPoorestCut;
}

}  // namespace

std::string fixReport(const navigation::PositionFix& fix, const FixNotes& notes,
                      TableFormat format) {
    if (format != TableFormat::Text) {
        std::string out;
        if (fix.position) {
            out += latitudeText(fix.position->latitude) + "\t" +
                   longitudeText(fix.position->longitude) + "\t" +
                   latitudeDegreesText(fix.position->latitude) + "\t" +
                   longitudeDegreesText(fix.position->longitude);
        } else {
            out += "\t\t\t";
        }
        out += "\t" + angleText(fix.cut) + "\t" + (fix.hat ? distanceText(*fix.hat) : "");
        for (const navigation::LineCrossing& crossing : fix.crossings) {
            out += "\t" + latitudeDegreesText(crossing.position.latitude) + "\t" +
                   longitudeDegreesText(crossing.position.longitude);
        }
        return out + "\n";
    }
    std::string out;
    for (std::size_t i = 0; i < notes.observations.size(); ++i) {
        out += lineText(notes.observations[i], i);
    }
    const std::string at = notes.time.empty() ? "" : "，" + notes.time;
    if (fix.hat) {
        for (const navigation::LineCrossing& crossing : fix.crossings) {
            out += "交点（位置线" + std::to_string(crossing.first + 1) + "、" +
                   std::to_string(crossing.second + 1) + "）：" + position(crossing.position) +
                   "，交角 " + degreesText(crossing.cut) + "\n";
        }
        out += std::string{fix.crossings.size() == 3 ? "误差三角形" : "各交点"} + "最大相距 " +
               distanceText(*fix.hat) + " 海里\n";
        out += "船位（到各位置线距离的平方和最小）：" + position(*fix.position) + at + "\n";
    } else if (!fix.position) {
        out += "两条位置线相交于两点（加推算船位可选出较近的一点）：\n";
        for (const navigation::LineCrossing& crossing : fix.crossings) {
            out += "交点：" + position(crossing.position) + "，交角 " + degreesText(crossing.cut) +
                   "\n";
        }
    } else {
        out += "船位：" + position(*fix.position) + at + "\n";
        out += "位置线交角 " + degreesText(fix.cut) + "\n";
        if (fix.crossings.size() == 2) {
            out += "另一交点（离推算船位较远）：" + position(fix.crossings[1].position) + "\n";
        }
    }
    if (!fix.hat && poorCut(fix.cut)) {
        out += "注意：位置线交角过小（" + degreesText(fix.cut) +
               "，宜在 30° 到 150° 之间），船位不可靠\n";
    }
    if (fix.hat && *fix.hat > kWideHatMiles) {
        out += "注意：误差三角形过大（各交点最大相距 " + distanceText(*fix.hat) +
               " 海里，超过 1 海里），请复核观测\n";
    }
    if (notes.deadReckoning && fix.position) {
        const navigation::Run offset = navigation::rhumbBetween(*notes.deadReckoning, *fix.position,
                                                                navigation::SailingMethod::Wgs84);
        out += "推算船位 " + position(*notes.deadReckoning) + " 至船位：流向 " +
               courseText(offset.course) + "°T，流程 " + distanceText(offset.nauticalMiles) +
               " 海里\n";
    }
    return out;
}

}  // namespace orvanto::passage
