// Splitting a UTF-8 text into characters, for decoders that take pieces by character position.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvanto {

// Byte offsets at which the characters (Unicode code points) of a UTF-8 text start. A byte that
// does not begin a well-formed sequence counts as one character, so any byte string splits without
// error.
std::vector<std::size_t> codePointOffsets(std::string_view text);

// Whether the text is well-formed UTF-8 (no overlong forms, surrogates or values above U+10FFFF).
bool isValidUtf8(std::string_view text);

}  // namespace orvanto
