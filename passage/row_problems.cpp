#include "passage/row_problems.h"

#include <algorithm>
#include <utility>

#include "calculator/decimal_text.h"
#include "passage/sailing_reasons.h"

namespace orvanto::passage {
namespace {

// The calculator's message about an entry told of its waypoint: a box's label becomes the
// waypoint's latitude or longitude. One pass, so that a waypoint named like a box stays as it is
// named.
std::string aboutWaypoint(std::string_view text, const std::string& name) {
    const std::pair<std::string_view, std::string> words[] = {
        {"点Ⅰ纬度", name + "的纬度"},
        {"点Ⅰ经度", name + "的经度"},
        {"点Ⅰ", name},
        // The window chooses a point's mode with its buttons; a waypoint with its mode column.
        {"选择“秒”", "选择“秒”（mode 列写 s）"},
        {"选择“分”", "选择“分”（mode 列写 m）"},
    };
    std::string told;
    for (std::size_t at = 0; at < text.size();) {
        const auto* word = std::find_if(std::begin(words), std::end(words), [&](const auto& each) {
            return text[at] == each.first.front() && text.substr(at).starts_with(each.first);
        });
        if (word != std::end(words)) {
            told += word->second;
            at += word->first.size();
        } else {
            told += text[at++];
        }
    }
    return told;
}

}  // namespace

std::string waypointName(const Waypoint& waypoint, const ProblemWording& wording) {
    return "航点“" + waypoint.name + "”（第 " + std::to_string(waypoint.line - wording.lineOffset) +
           " 行）";
}

std::string problemText(const RowProblem& problem, std::span<const Waypoint> waypoints,
                        const ProblemWording& wording) {
    using Kind = RowProblem::Kind;
    const auto name = [&] { return waypointName(waypoints[problem.waypoint], wording); };
    switch (problem.kind) {
        case Kind::Record:
            return name() + "：" + problem.detail;
        case Kind::Mode:
            return name() + "：mode 列的“" + problem.detail +
                   "”无法识别：应为 m、s、分 或 秒，留空则按" + std::string{wording.defaultMode};
        case Kind::Missing:
            return name() + "缺少" + problem.detail;
        case Kind::Entry:
            return aboutWaypoint(problem.detail, name());
        case Kind::Speed:
        case Kind::LegField:
            return name() + "的" + problem.detail;
        case Kind::BeyondLimit:
            return name() + "在限制纬度 " +
                   formatDecimals(problem.limit, kResultDecimals, NumberStyle::Plain) +
                   "° 以外，这一段无法按限制纬度航行";
        case Kind::Sailing:
            return reasonFor(problem.sailing);
        case Kind::NotFinite:
            return "第 " + std::to_string(problem.leg) + " 段的航程和航向无法算出";
        case Kind::GreatCircle:
            return "大圆航段没有恒定的航向，无法计算流中的应驶航向";
        case Kind::Steering:
            return reasonFor(problem.steering);
        case Kind::LateArrival:
            break;
    }
    return "预计到达时间在 9999-12-31 之后，无法写出";
}

}  // namespace orvanto::passage
