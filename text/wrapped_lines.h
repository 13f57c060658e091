// Help text laid out for a terminal: each line of a text broken into lines no wider than a number
// of columns (display_width.h), where Chinese text may break between any two characters and
// Latin text only at a blank.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanto {

// Each line of `text` that is wider than `width` columns broken into lines that are not, the lines
// after its first indented as it is. A line breaks after a blank (the blanks at its end dropped),
// between two Chinese characters, after Chinese closing punctuation (，、。；：）” …) and before
// opening punctuation (（“): never inside a run of Latin letters, digits and signs, nor between
// such a run and the Chinese character it is written against (分点1, 300海里, 西3.5), nor before
// closing or after opening punctuation. A piece with no break in it wider than the line stands
// on a line of its own. Each line of the result ends with "\n".
std::string wrappedLines(std::string_view text, std::size_t width);

}  // namespace orvanto
