// Passage planning's problems in the command line's words: its options by their names (--speed),
// its waypoint files by their lines as written.
#pragma once

#include <string>
#include <string_view>

#include "passage/option_rules.h"
#include "passage/route_request.h"
#include "passage/row_problems.h"

namespace orvanto::cli {

// A file's lines as they are; a waypoint without a mode takes --seconds'.
inline constexpr passage::ProblemWording kProblemWording{0, " --seconds 的设定"};

// "route 的 --current 须与 --speed 同用".
std::string needsText(std::string_view command, std::string_view option, std::string_view other);

// A rule broken, as the command line says it; `course` is the course as typed, for the rules about
// it.
std::string ruleText(passage::Rule rule, std::string_view command, const std::string& course = {});

std::string passageProblemText(const passage::PassageProblem& problem, std::string_view command);

}  // namespace orvanto::cli
