// The command lines of the two planning commands, course and route (see cli_arguments.h for their
// synopsis). Their options differ from the calculator commands' in what they accept: --format
// takes text, csv or tsv, and route's --seconds stands alone, for every waypoint.
#pragma once

#include <span>
#include <string_view>
#include <variant>

#include "cli/cli_arguments.h"

namespace orvanto::cli {

// Whether the subcommand (the first argument that is not an option) is course or route.
bool isNavigationCommand(std::span<const std::string_view> arguments);

Expected<Request, UsageError> parseNavigationArguments(std::span<const std::string_view> arguments);

}  // namespace orvanto::cli
