// What orvanto-cli says about its own use: the full --help text and the short reminder after a
// usage error, both written from the tables of options.h, so that neither can name a command or
// an option the parser does not know.
#pragma once

#include <string>

namespace orvanto::cli {

std::string helpText();
std::string usageSummary();

}  // namespace orvanto::cli
