// How many columns a text takes on a terminal, for tables and help text aligned by eye.
#pragma once

#include <cstddef>
#include <string_view>

namespace orvanto {

// Two columns for each wide East Asian character (Chinese text, full-width forms), one for every
// other character of the UTF-8 text.
std::size_t displayWidth(std::string_view text);

}  // namespace orvanto
