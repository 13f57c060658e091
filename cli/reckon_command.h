// orvanto-cli reckon: dead reckoning from one position.
#pragma once

#include "cli/request.h"

namespace orvanto::cli {

// Prints the positions reached (text or one TSV line) and returns the exit status: 1 with the
// message on standard error when the entry cannot be read or the rhumb line would pass a pole.
int runReckon(const Request& request);

}  // namespace orvanto::cli
