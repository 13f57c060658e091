// How many columns a text takes on a terminal, for tables and help text aligned by eye.
#pragma once

#include <cstddef>
#include <string_view>

namespace orvanto {

// Two columns for a character of East Asian Width W or F (Chinese text, full-width forms, emoji),
// one for every other, the ambiguous ones (Ⅰ “ ° ′) included.
std::size_t characterWidth(char32_t character);

// The columns of the characters of a UTF-8 text.
std::size_t displayWidth(std::string_view text);

}  // namespace orvanto
