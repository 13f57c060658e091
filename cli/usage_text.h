// What orvanto-cli says about its own use: --help, a command's own help (COMMAND --help) and the
// short reminder after a usage error, all written from the tables of options.h, so that none can
// name a command or an option the parser does not know. Every line fits 80 columns of a terminal.
#pragma once

#include <string>

#include "cli/options.h"

namespace orvanto::cli {

// Everything: every command, the file rules, every option.
std::string helpText();
// One command's: its synopsis and description, the rules that concern it and its options.
std::string helpText(const Command& command);

// Every command's synopsis, after a missing or unknown command.
std::string usageSummary();
// The synopsis of the command a usage error concerns, and where its help is.
std::string usageSummary(const Command& command);

}  // namespace orvanto::cli
