// Why the sailing math could not do what was asked, in the user's words: the one place each
// reason is written, for the command line, the page and Python alike.
#pragma once

#include <string>

#include "navigation/sailing_problem.h"

namespace orvanto::passage {

std::string reasonFor(navigation::SailingProblem problem);

// "横越航线的流速 2.5 节不小于航速 2.0 节，无法保持本段航向".
std::string reasonFor(const navigation::SteeringProblem& problem);

}  // namespace orvanto::passage
