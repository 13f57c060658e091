#include "passage/row_problems.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "calculator/decimal_text.h"
#include "passage/sailing_reasons.h"

namespace orvanto::passage {
namespace {

// The calculator's message about an entry told of its waypoint: a box's label becomes the
// waypoint's latitude or longitude. One pass, so that a waypoint named like a box stays as it is
// named.
std::string aboutWaypoint(std::string_view text, const std::string& name) {
    struct Word {
        std::string_view label;
        bool named;  // the waypoint's name first
        std::string_view told;
    };
    static constexpr Word kWords[] = {
        {"点Ⅰ纬度", true, "的纬度"},
        {"点Ⅰ经度", true, "的经度"},
        {"点Ⅰ", true, ""},
        // The window chooses a point's mode with its buttons; a waypoint with its mode column.
        {"选择“秒”", false, "选择“秒”（mode 列写 s）"},
        {"选择“分”", false, "选择“分”（mode 列写 m）"},
    };
    // Every label begins with 点 or 选: the bytes up to the next of their first bytes are taken in
    // one piece.
    static_assert(std::string_view{"点"}.front() == '\xE7' &&
                  std::string_view{"选"}.front() == '\xE9');
    std::string told;
    told.reserve(text.size() + name.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        while (at < text.size() && text[at] != '\xE7' && text[at] != '\xE9') {
            ++at;
        }
        told.append(text, start, at - start);
        if (at == text.size()) {
            break;
        }
        const auto* word =
            std::find_if(std::begin(kWords), std::end(kWords),
                         [&](const Word& each) { return text.substr(at).starts_with(each.label); });
        if (word == std::end(kWords)) {
            told += text[at++];
            continue;
        }
        if (word->named) {
            told += name;
        }
        told += word->told;
        at += word->label.size();
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
