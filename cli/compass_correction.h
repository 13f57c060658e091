// The compass correction a command was given: --variation, and --deviation or the deviation card
// read from --deviation-card's file, as course, reckon, route and batch --navigation take them.
#pragma once

#include <string>

#include "cli/request.h"
#include "navigation/compass_error.h"
#include "text/expected.h"

namespace orvanto::cli {

// What is wrong with the card's file, naming its line, when it cannot be opened or read.
Expected<navigation::CompassCorrection, std::string> compassCorrectionOf(const Request& request);

}  // namespace orvanto::cli
