// Escaping of the characters that would act on a terminal or on a message's layout instead of
// showing: what the user typed is quoted in messages, on standard error and in batch reports, and
// none of it may reach a terminal raw.
#pragma once

#include <string>
#include <string_view>

namespace orvanto {

// The text with every character that would act on a terminal or on the layout instead of showing
// written out (\r, \n, \t, U+001B, U+202E, a byte that does not decode as \xFF), so that nothing
// typed reaches a terminal raw.
std::string printable(std::string_view text);
// The same appended to `out`, for a caller that gathers many texts in one buffer.
void appendPrintable(std::string& out, std::string_view text);

// The same for a text already split into characters (decodeUtf8 in code_points.h), so that a
// caller that shortens it first need not decode it twice.
std::string printable(std::u32string_view characters);

}  // namespace orvanto
