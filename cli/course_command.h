// orvanto-cli course: the great-circle and rhumb-line courses and distances of one leg.
#pragma once

#include "cli/request.h"

namespace orvanto::cli {

// Prints the leg's courses (text or one TSV line) and returns the exit status: 1 with the window's
// message on standard error when an entry cannot be read.
int runCourse(const Request& request);

}  // namespace orvanto::cli
