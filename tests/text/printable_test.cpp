#include "text/printable.h"

#include <gtest/gtest.h>

#include "text/code_points.h"

namespace orvanto {
namespace {

// One style for every escaped character, in messages, on a terminal and in the window alike.
TEST(Printable, WritesOutWhatWouldActOnATerminal) {
    const struct {
        const char* typed;
        const char* shown;
    } rows[] = {
        {"4250.0 北纬", "4250.0 北纬"},
        {"a\r\n\tb", "a\\r\\n\\tb"},
        {"\x1b[2J", "U+001B[2J"},
        {"\x07\x7f\u0085", "U+0007U+007FU+0085"},
        {"\u202e421125\u200b\ufeff", "U+202E421125U+200BU+FEFF"},
        {"\u2028\u2029", "U+2028U+2029"},
        {"\U000E0041", "U+E0041"},
        {"42\xff\xc0", "42\\xFF\\xC0"},
        {"\xe5\x8c", "\\xE5\\x8C"},  // a character cut short
        {"\\x41", "\\x41"},
        {"\xed\xa0\x80\xc0\xaf", "\\xED\\xA0\\x80\\xC0\\xAF"},  // a surrogate, an overlong "/"
        {"\xf0\x9f\x98\x80°′", "\xf0\x9f\x98\x80°′"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(printable(row.typed), row.shown) << row.typed;
        EXPECT_EQ(printable(decodeUtf8(row.typed)), row.shown) << row.typed;
    }
}

}  // namespace
}  // namespace orvanto
