#include "passage/sailing_reasons.h"

#include "calculator/decimal_text.h"

namespace orvanto::passage {
namespace {

std::string knotsText(double knots) {
    return formatDecimals(knots, 1, NumberStyle::Fixed) + " 节";
}

}  // namespace

std::string reasonFor(navigation::SailingProblem problem) {
    using navigation::SailingProblem;
    switch (problem) {
        case navigation::SailingProblem::NoMeridiansOverPole:
            return "这一段的大圆航线经过极点，按经度间隔取不到分点：请改按距离取分点，如 300nmi";
        case navigation::SailingProblem::CompositeOverPole:
            return "这一段的大圆航线经过极点，无法保持在限制纬度以内";
        case navigation::SailingProblem::RhumbLineOffPole:
            return "从极点出发的恒向线只能沿经线航行，无法推算：北极请用航向 180，南极请用航向 000";
        case navigation::SailingProblem::RhumbLinePastPole:
            break;
    }
    return "恒向线在航程走完之前就到达或越过了极点，无法推算：请缩短航程或改变航向";
}

std::string reasonFor(const navigation::SteeringProblem& problem) {
    if (problem.kind == navigation::SteeringProblem::Kind::CurrentAcross) {
        return "横越航线的流速 " + knotsText(problem.knots) + "不小于航速 " +
               knotsText(problem.speed) + "，无法保持本段航向";
    }
    return "流使对地航速为 " + knotsText(problem.knots) + "，本段无法到达";
}

}  // namespace orvanto::passage
