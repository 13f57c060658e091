// orvanto-cli cpa: a target's CPA and TCPA from a radar plot or AIS, and the alterations for a
// passing distance; its options' readers, for the table of options.h.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "cli/options.h"
#include "cli/request.h"

namespace orvanto::cli {

// --own, --target (given again for each observation), --target-motion, --limit, --action, --pass.
Expected<void, UsageError> readOwnMotion(const Option& option, const Command& command,
                                         std::optional<std::string_view> value, Request& request);
Expected<void, UsageError> readTarget(const Option& option, const Command& command,
                                      std::optional<std::string_view> value, Request& request);
Expected<void, UsageError> readTargetMotion(const Option& option, const Command& command,
                                            std::optional<std::string_view> value,
                                            Request& request);
Expected<void, UsageError> readLimit(const Option& option, const Command& command,
                                     std::optional<std::string_view> value, Request& request);
Expected<void, UsageError> readAction(const Option& option, const Command& command,
                                      std::optional<std::string_view> value, Request& request);
Expected<void, UsageError> readPass(const Option& option, const Command& command,
                                    std::optional<std::string_view> value, Request& request);

// The rules of a plot, once every option is read.
Expected<void, UsageError> checkCpa(std::span<const std::string_view> operands, Request& request);

// Prints the plot (text, or one TSV line) and returns the exit status: 1 with the
// message on standard error when the observations give no plot.
int runCpa(const Request& request);

}  // namespace orvanto::cli
