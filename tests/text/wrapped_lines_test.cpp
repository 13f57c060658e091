#include "text/wrapped_lines.h"

#include <gtest/gtest.h>

#include "text/display_width.h"

namespace orvanto {
namespace {

// A terminal draws Ⅰ “ ° ′ one column wide, as most fonts do; counting them two would wrap help
// text short, counting a wide character one would run it past the edge.
TEST(DisplayWidth, CountsWideAndFullWidthCharactersTwoAndAmbiguousOnesOne) {
    const struct {
        const char* text;
        std::size_t width;
    } rows[] = {
        {"4250.0", 6}, {"北纬", 4}, {"４２", 4},       {"点Ⅰ", 3}, {"“秒”", 4},
        {"42°50′", 6}, {"　", 2},   {"\U0001F6A2", 2}, {"〿", 1},   {"㉈", 1},
        {"䷀", 1},     {"𠀀", 2},   {"ｶ", 1},          {"￦", 2},  {"\xff", 1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(displayWidth(row.text), row.width) << row.text;
    }
}

TEST(WrappedLines, BreaksChineseAnywhereAndLatinAtBlanksOnly) {
    const struct {
        const char* text;
        std::size_t width;
        const char* wrapped;
    } rows[] = {
        {"短的一行\n\n  不变", 8, "短的一行\n\n  不变\n"},
        {"纬度须在 -90 到 90 度之间", 12, "纬度须在 -90\n到 90 度之间\n"},
        {"  航向为真航向，自北顺时针", 12, "  航向为真航\n  向，自北顺\n  时针\n"},
        // No line starts with closing punctuation nor ends with opening punctuation.
        {"一二三四，五六", 8, "一二三\n四，五六\n"},
        {"一二三“四”", 8, "一二三\n“四”\n"},
        // Latin runs and what they are written against stay whole.
        {"分点10→旧金山", 9, "分点10→旧\n金山\n"},
        {"写成 --variation=3.5W、西3.5", 16, "写成\n--variation=3.5W、\n西3.5\n"},
        {"see https://example.invalid/a-long-path", 10,
         "see\nhttps://example.invalid/a-long-path\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(wrappedLines(row.text, row.width), row.wrapped) << row.text;
    }
}

}  // namespace
}  // namespace orvanto
