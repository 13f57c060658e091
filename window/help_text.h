// The usage text of the help box Text10, line by line as the user reads it. The lines are kept
// apart so that each can be checked on its own; the box joins them.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orvanto {

inline constexpr std::size_t kHelpLineCount = 13;

// The 13 lines without their line ends; lines 6, 10 and 12 are empty and line 2 is four spaces.
const std::array<std::string_view, kHelpLineCount>& helpLines();

}  // namespace orvanto
