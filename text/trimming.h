// The blanks around and inside typed text taken off or passed over.
#pragma once

#include <cstddef>
#include <string_view>

namespace orvanto {

// The text without the `blanks` at either end.
std::string_view trimmed(std::string_view text, std::string_view blanks);

// The text without blanks (isBlank in code_points.h) at either end.
std::u32string_view trimmed(std::u32string_view text);

// The first position at or after `at` that holds no blank (isBlank), or the text's size.
std::size_t skipBlanks(std::u32string_view text, std::size_t at);

}  // namespace orvanto
