// Reading orvanto-cli's command line into a Request, by the tables of options.h:
//
//   orvanto-cli COMMAND [OPTIONS] OPERANDS…     orvanto-cli --help | -h | --version
//
// Arguments that start with "--" are options, anywhere up to a "--" argument, which ends them;
// every other argument (but "-h") is an operand, taken exactly as typed, so "-4250.0" is an entry
// and "" an empty one. The first operand names the command; an option the command does not take
// is refused, naming the commands that take it.
#pragma once

#include <span>
#include <string_view>

#include "cli/options.h"
#include "cli/request.h"
#include "text/expected.h"

namespace orvanto::cli {

// Reads the arguments after the program name: the request, or what is wrong with them.
Expected<Request, UsageError> parseArguments(std::span<const std::string_view> arguments);

}  // namespace orvanto::cli
