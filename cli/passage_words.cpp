#include "cli/passage_words.h"

namespace orvanto::cli {

std::string needsText(std::string_view command, std::string_view option, std::string_view other) {
    return std::string{command} + " 的 " + std::string{option} + " 须与 " + std::string{other} +
           " 同用";
}

std::string ruleText(passage::Rule rule, std::string_view command, const std::string& course) {
    using passage::Rule;
    const std::string reason{passage::reasonOf(rule)};
    const auto needs = [command](std::string_view option, std::string_view other) {
        return needsText(command, option, other);
    };
    switch (rule) {
        case Rule::DeviationNeedsVariation:
            return needs("--deviation", "--variation");
        case Rule::CardNeedsVariation:
            return needs("--deviation-card", "--variation");
        case Rule::DeviationOrCard:
            return "--deviation 和 --deviation-card 只能用其一：" + reason;
        case Rule::CurrentNeedsSpeed:
        case Rule::CurrentNeedsTime:
            return needs("--current", "--speed");
        case Rule::CurrentWithLimitNeedsStep:
            return std::string{command} + " 的 --current 与 --limit-latitude 同用时须加 --every：" +
                   reason;
        case Rule::CurrentWithGreatCircleNeedsStep:
            return std::string{command} +
                   " 的 --current 与航点文件中的大圆航段（航法 GC）同用时须加 --every：" + reason;
        case Rule::DepartureNeedsSpeed:
            return "--depart 须与 --speed 同用，或者航点文件有 speed（航速）列：" + reason;
        case Rule::EtaZoneNeedsDeparture:
            return needs("--eta-zone", "--depart") + "：" + reason;
        case Rule::SpeedNeedsHours:
            return needs("--speed", "--hours");
        case Rule::HoursNeedSpeed:
            return needs("--hours", "--speed");
        case Rule::MagneticNeedsVariation:
            return "磁航向“" + course + "”须与 --variation 同用";
        case Rule::CompassNeedsDeviation:
            return "罗航向“" + course + "”须与 --variation 和 --deviation" +
                   (command == "reckon" ? "（或 --deviation-card）同用" : " 同用");
        case Rule::DistanceOrSpeed:
            return std::string{command} +
                   " 给了航程就不用 --speed 和 --hours，用 --speed 和 --hours 就不写航程";
        case Rule::RunNeeded:
            break;
    }
    return std::string{command} + " 需要航程，或者 --speed 和 --hours";
}

std::string passageProblemText(const passage::PassageProblem& problem, std::string_view command) {
    if (problem.kind == passage::PassageProblem::Kind::Rule) {
        return ruleText(problem.rule, command);
    }
    return problem.text;
}

}  // namespace orvanto::cli
