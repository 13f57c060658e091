#include "passage/course_report.h"

#include "navigation/courses.h"
#include "navigation/great_circles.h"
#include "navigation/mercator_sailing.h"
#include "passage/compass_text.h"
#include "passage/course_text.h"
#include "passage/position_text.h"
#include "passage/quadrantal_course.h"
#include "passage/worked_solution_text.h"

namespace orvanto::passage {
namespace {

std::string distances(double miles) {
    return kilometresText(miles) + " 公里，" + distanceText(miles) + " 海里";
}

std::string vertexLine(const std::optional<navigation::Vertex>& vertex) {
    if (!vertex) {
        return "大圆顶点：无（航线沿经线或赤道，或没有航向）\n";
    }
    return "大圆顶点：" + latitudeText(vertex->position.latitude) + " " +
           longitudeText(vertex->position.longitude) +
           (vertex->onLeg ? "（在两点之间）\n" : "（不在两点之间）\n");
}

std::string text(const navigation::Courses& courses, const CourseOptions& options,
                 const std::optional<navigation::Vertex>& vertex) {
    const navigation::CompassCorrection& correction = options.correction;
    const bool textbook = options.method == navigation::SailingMethod::Textbook;
    std::string out = textbook ? "大圆航线（球面，1′ = 1 海里）：" : "大圆航线：";
    out += distances(courses.greatCircleMiles);
    if (courses.initialCourse) {
        out += "；初始航向 " +
               labelledCourse(courses.initialCourse, correction, options.courseForm) +
               "，最终航向 " + labelledCourse(courses.finalCourse, correction, options.courseForm);
    }
    const bool middleLatitude =
        courses.rhumbCourse && navigation::nearlyEastWest(*courses.rhumbCourse);
    out += !textbook        ? "\n恒向线：  "
           : middleLatitude ? "\n恒向线（中分纬度航法）："
                            : "\n恒向线（墨卡托航法）：";
    out += distances(courses.rhumbMiles);
    if (courses.rhumbCourse) {
        out += "；航向 " + labelledCourse(courses.rhumbCourse, correction, options.courseForm);
    }
    out += "\n";
    if (!courses.rhumbCourse) {
        out += courses.greatCircleMiles > 0 ? "点在极点上，航向无从确定\n" : "两点重合，没有航向\n";
    }
    if (options.vertex) {
        out += vertexLine(vertex);
    }
    return out + compassErrorLine(correction);
}

std::string fields(const navigation::Courses& courses, const CourseOptions& options,
                   const std::optional<navigation::Vertex>& vertex) {
    std::vector<std::string> all = courseFields(courses, options.correction);
    if (options.vertex) {
        all.push_back(vertex ? latitudeText(vertex->position.latitude) : "");
        all.push_back(vertex ? longitudeText(vertex->position.longitude) : "");
        all.emplace_back(vertex ? (vertex->onLeg ? "1" : "0") : "");
    }
    std::string line;
    for (std::size_t i = 0; i < all.size(); ++i) {
        line += (i > 0 ? "\t" : "") + all[i];
    }
    return line + "\n";
}

}  // namespace

std::string labelledCourse(std::optional<double> course,
                           const navigation::CompassCorrection& correction, CourseForm form) {
    std::string text = courseText(course) + "°T";
    if (course && form == CourseForm::Quadrantal) {
        text += "（" + quadrantalText(*course) + "）";
    }
    if (correction.magnetic()) {
        text += " " + courseText(correction.magneticCourse(course)) + "°M";
    }
    if (correction.compass()) {
        text += " " + courseText(correction.compassCourse(course)) + "°C";
    }
    return text;
}

std::string compassErrorLine(const navigation::CompassCorrection& correction) {
    if (!correction.variation || !correction.deviation) {
        return {};
    }
    return compassErrorText(*correction.variation, *correction.deviation) + "\n";
}

Expected<std::string, std::string> courseReport(const ChartPoint& from, const ChartPoint& to,
                                                const CourseOptions& options, TableFormat format) {
    const navigation::Courses courses = navigation::measureCourses(from, to, options.method);
    if (!navigation::finite(courses)) {
        return unexpected(std::string{"点Ⅰ到点Ⅱ的航程和航向无法算出"});
    }
    std::optional<navigation::Vertex> vertex;
    if (options.vertex && courses.initialCourse) {
        vertex = navigation::vertexAhead(from, to, options.method);
    }
    if (format != TableFormat::Text) {
        return fields(courses, options, vertex);
    }
    std::string out = "点Ⅰ " + positionAsRead(from, options.fromMode) + " → 点Ⅱ " +
                      positionAsRead(to, options.toMode) + "\n" + text(courses, options, vertex);
    if (options.showWork && options.method == navigation::SailingMethod::Textbook) {
        out += legWork(from, to, std::nullopt);
    }
    return out;
}

}  // namespace orvanto::passage
