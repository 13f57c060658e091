#include "passage/worked_solution_text.h"

#include <cmath>
#include <cstdio>

#include "passage/course_text.h"
#include "passage/quadrantal_course.h"

namespace orvanto::passage {
namespace {

constexpr long long kHundredthsInDegree = 6000;

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    // "-0.00" is no quantity a navigator writes.
    std::string written = text;
    if (written.front() == '-' && written.find_first_not_of("-0.") == std::string::npos) {
        written.erase(0, 1);
    }
    return written;
}

std::string ratio(double value) {
    return std::isfinite(value) ? fixed(value, 6) : "∞";
}

std::string miles(double value) {
    return fixed(value, 3) + " 海里";
}

std::string latitude(double degrees) {
    return angleText(std::fabs(degrees), degrees < 0 ? "S" : "N");
}

std::string longitude(double degrees) {
    return angleText(std::fabs(degrees), degrees < 0 ? "W" : "E");
}

std::string course(double degrees) {
    return quadrantalText(degrees) + " = " + courseText(degrees) + "°";
}

std::string line(const std::string& text) {
    return "  " + text + "\n";
}

std::string partsLines(double from, double to, double difference) {
    return line("纬度渐长率 MP1 = " + fixed(from, 2) + "′") +
           line("纬度渐长率 MP2 = " + fixed(to, 2) + "′") +
           line("渐长纬差 DMP = MP2 − MP1 = " + arcMinutesText(difference, "N", "S"));
}

}  // namespace

std::string legWork(const ChartPoint& from, const ChartPoint& to,
                    const std::optional<navigation::WaypointStep>& every) {
    std::string out;
    if (const auto circle = navigation::greatCircleSteps(from, to, every)) {
        out += greatCircleWork(*circle);
    }
    if (const auto rhumb = navigation::mercatorSteps(from, to)) {
        out += mercatorWork(*rhumb);
    }
    return out;
}

std::string routeWork(const SailedRoute& route, const SailingPlan& plan) {
    std::string out;
    // A leg cut at its 分点 or at the limiting latitude is several rows: the first one's start,
    // the last one's end.
    const RouteRow* first = nullptr;
    for (const RouteRow& row : route.rows) {
        if (first == nullptr) {
            first = &row;
        }
        if (!row.lastOfLeg) {
            continue;
        }
        if (first->start && row.end) {
            out += "航段 " + std::to_string(row.leg) + "：" + first->from + " → " + row.to + "\n" +
                   legWork(*first->start, *row.end, plan.every);
        }
        first = nullptr;
    }
    return out;
}

std::string arcMinutesText(double minutes, const char* positive, const char* negative) {
    const std::string magnitude = fixed(std::fabs(minutes), 2);
    return magnitude + "′" + (magnitude == "0.00" ? "" : minutes < 0 ? negative : positive);
}

std::string angleText(double degrees, const char* side) {
    const long long hundredths = std::llround(std::fabs(degrees) * kHundredthsInDegree);
    char text[64];
    std::snprintf(text, sizeof text, "%lld°%02lld.%02lld′%s", hundredths / kHundredthsInDegree,
                  hundredths % kHundredthsInDegree / 100, hundredths % 100,
                  hundredths == 0 ? "" : side);
    return text;
}

std::string mercatorWork(const navigation::MercatorSteps& s) {
    std::string out = s.byDeparture ? "计算过程（中分纬度航法）：\n" : "计算过程（墨卡托航法）：\n";
    out += line("起点 φ1 = " + latitude(s.from.latitude) + "，λ1 = " + longitude(s.from.longitude));
    out += line("终点 φ2 = " + latitude(s.to.latitude) + "，λ2 = " + longitude(s.to.longitude));
    out += line("纬差 DLat = φ2 − φ1 = " + arcMinutesText(s.latitudeMinutes, "N", "S"));
    out += line("经差 DLong = λ2 − λ1 = " + arcMinutesText(s.longitudeMinutes, "E", "W"));
    out += partsLines(s.fromParts, s.toParts, s.partsDifference);
    out += line("tan C = DLong / DMP = " + fixed(std::fabs(s.longitudeMinutes), 2) + " / " +
                fixed(std::fabs(s.partsDifference), 2) + " = " +
                ratio(std::fabs(s.longitudeMinutes / s.partsDifference)));
    out += line("航向 C = " + course(s.course));
    if (s.byDeparture) {
        out += line("中分纬度 φm = (φ1 + φ2) / 2 = " + latitude(s.middleLatitude));
        out += line("东西距 Dep = DLong · cos φm = " + arcMinutesText(s.departure, "E", "W"));
        out += line("航程 S = Dep / sin C = " + miles(s.nauticalMiles));
    } else {
        out += line("航程 S = DLat · sec C = " + miles(s.nauticalMiles));
    }
    return out;
}

std::string greatCircleWork(const navigation::GreatCircleSteps& s) {
    std::string out = "计算过程（大圆航线）：\n";
    out += line("起点余纬 90° − φ1 = " + angleText(s.fromColatitude));
    out += line("终点余纬 90° − φ2 = " + angleText(s.toColatitude));
    out += line("经差 DLong = λ2 − λ1 = " + longitude(s.longitudeDifference));
    out +=
        line("cos D = sin φ1 · sin φ2 + cos φ1 · cos φ2 · cos DLong = " + ratio(s.distanceCosine));
    out += line("大圆距离 D = " + angleText(s.distanceArc) + " = " + miles(s.nauticalMiles));
    out += line("tan C = sin DLong / (cos φ1 · tan φ2 − sin φ1 · cos DLong) = " +
                ratio(s.courseNumerator) + " / " + ratio(s.courseDenominator) + " = " +
                ratio(s.courseNumerator / s.courseDenominator));
    out += line("初始航向 C = " + course(s.initialCourse));
    if (!s.vertex) {
        return out + line("航线沿经线或赤道，没有顶点");
    }
    const auto& vertex = *s.vertex;
    if (s.initialCourse == 90 || s.initialCourse == 270) {
        out += line("初始航向为 090 或 270：起点即顶点");
    } else {
        out += line("顶点纬度 cos φv = cos φ1 · sin C，φv = " + latitude(vertex.position.latitude));
        out += line("顶点经差 tan DLo_v = 1 / (sin φ1 · tan C)，DLo_v = " +
                    longitude(vertex.longitudeFromStart));
    }
    out += line("顶点 λv = λ1 + DLo_v = " + longitude(vertex.position.longitude));
    for (std::size_t i = 0; i < s.waypoints.size(); ++i) {
        const ChartPoint& waypoint = s.waypoints[i];
        out += line("分点" + std::to_string(i + 1) + " λ = " + longitude(waypoint.longitude) +
                    "：tan φ = tan φv · cos(λ − λv)，φ = " + latitude(waypoint.latitude));
    }
    return out;
}

std::string reckoningWork(const navigation::ReckoningSteps& s) {
    std::string out = s.byDeparture ? "计算过程（推算船位，中分纬度航法）：\n"
                                    : "计算过程（推算船位，墨卡托航法）：\n";
    out += line("起点 φ1 = " + latitude(s.from.latitude) + "，λ1 = " + longitude(s.from.longitude));
    out += line("航向 C = " + course(s.run.course) + "，航程 S = " + miles(s.run.nauticalMiles));
    out += line("纬差 DLat = S · cos C = " + arcMinutesText(s.latitudeMinutes, "N", "S"));
    out += line("东西距 Dep = S · sin C = " + arcMinutesText(s.departure, "E", "W"));
    out += line("到达纬度 φ2 = φ1 + DLat = " + latitude(s.toLatitude));
    if (s.byDeparture) {
        out += line("中分纬度 φm = (φ1 + φ2) / 2 = " + latitude(s.middleLatitude));
        out += line("经差 DLong = Dep · sec φm = " + arcMinutesText(s.longitudeMinutes, "E", "W"));
    } else {
        out += partsLines(s.fromParts, s.toParts, s.partsDifference);
        out += line("经差 DLong = DMP · tan C = " + arcMinutesText(s.longitudeMinutes, "E", "W"));
    }
    out += line("到达经度 λ2 = λ1 + DLong = " + longitude(s.reached.longitude));
    return out;
}

}  // namespace orvanto::passage
