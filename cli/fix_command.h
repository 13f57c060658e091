// orvanto-cli fix: a position from landmarks; orvanto-cli range: the horizon and the range of
// lights.
#pragma once

#include "cli/request.h"

namespace orvanto::cli {

// Prints the fix (text or one TSV line) and returns the exit status: 1 with the message on
// standard error when two lines never cross.
int runFix(const Request& request);

// Prints the horizon and the range of the object or light asked for.
int runRange(const Request& request);

}  // namespace orvanto::cli
