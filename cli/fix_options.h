// The options of orvanto-cli fix and range, read into the request, and the checks of each command
// once its options are read: the observations, the running fix's times and run, the heights.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "cli/options.h"

namespace orvanto::cli {

// --bearing, --range, --angle: one observation more, in the order given.
template <navigation::PositionLineKind Kind>
Expected<void, UsageError> readObservationOption(const Option& option, const Command& command,
                                                 std::optional<std::string_view> value,
                                                 Request& request);

// --run and --dr, read when the command is checked.
Expected<void, UsageError> readRunOption(const Option& option, const Command& command,
                                         std::optional<std::string_view> value, Request& request);
Expected<void, UsageError> readDeadReckoningOption(const Option& option, const Command& command,
                                                   std::optional<std::string_view> value,
                                                   Request& request);

// --eye and --object (metres), --charted and --luminous (nautical miles).
template <std::optional<double> FixOptions::*Member>
Expected<void, UsageError> readRangeOption(const Option& option, const Command& command,
                                           std::optional<std::string_view> value, Request& request);

Expected<void, UsageError> checkFix(std::span<const std::string_view> operands, Request& request);
Expected<void, UsageError> checkRange(std::span<const std::string_view> operands, Request& request);

}  // namespace orvanto::cli
