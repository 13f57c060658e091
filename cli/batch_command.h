// orvanto-cli batch: every row of a CSV or TSV file through the calculator's two commands, streamed
// from the input to the output in constant memory.
#pragma once

#include "cli/request.h"

namespace orvanto::cli {

// Runs a batch request and returns the exit status: 0 when every row got its results, 1 when some
// row has an error (the run still completes), 2 when the input cannot be read or the output cannot
// be written (with a message on standard error).
int runBatch(const Request& request);

}  // namespace orvanto::cli
