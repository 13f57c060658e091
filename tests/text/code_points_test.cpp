#include "text/code_points.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/trimming.h"

namespace orvanto {
namespace {

TEST(Utf8, ValidatesWellFormedTextOnly) {
    const struct {
        std::string text;
        bool valid;
    } rows[] = {
        {"", true},
        {"4250.0 北纬 ４２", true},
        {"\xF0\x9F\x9A\xA2", true},   // U+1F6A2, four bytes
        {"\xC0\x80", false},          // overlong NUL
        {"\xE0\x80\x80", false},      // overlong
        {"\xED\xA0\x80", false},      // a surrogate
        {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
        {"\xE5\x8C", false},          // cut short
        {"\x80", false},              // a lone continuation byte
        {"\xFF", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(isValidUtf8(row.text), row.valid) << row.text;
    }
    // The ASCII words are checked eight bytes at a time, the last few in a word that overlaps
    // the one before: a bad byte at any place of a word, or a sequence across two words, must
    // still be seen.
    for (const std::size_t size : {21U, 24U}) {
        for (std::size_t at = 0; at < size; ++at) {
            std::string text(size, 'a');
            text[at] = '\xFF';
            EXPECT_FALSE(isValidUtf8(text)) << at;
            text.replace(at, 1, "纬");
            EXPECT_TRUE(isValidUtf8(text)) << at;
            EXPECT_FALSE(isValidUtf8(text.substr(0, at + 2))) << at;  // cut short at the end
        }
    }
}

// Any byte string splits into characters and joins back into the very bytes, a stray byte
// standing for itself, so that a message can quote a file's bad bytes as they are.
TEST(Utf8, DecodesAnyBytesAndEncodesThemBack) {
    std::mt19937 random{7};
    std::uniform_int_distribution<int> byte{0, 255};
    for (int round = 0; round < 20000; ++round) {
        std::string text(static_cast<std::size_t>(round % 13), '\0');
        for (char& c : text) {
            c = static_cast<char>(round % 3 == 0 ? byte(random) | 0x80 : byte(random));
        }
        const std::u32string characters = decodeUtf8(text);
        ASSERT_EQ(encodeUtf8(characters), text);
        ASSERT_EQ(codePointOffsets(text).size(), characters.size());
        ASSERT_EQ(isValidUtf8(text),
                  std::none_of(characters.begin(), characters.end(),
                               [](char32_t c) { return strayByte(c).has_value(); }));
    }
}

TEST(CodePoints, BlanksAndInvisibleCharactersMakeAnEmptyBox) {
    const struct {
        const char* text;
        bool blank;
    } rows[] = {
        {"", true},
        {" \t\r\n\u3000\u00a0\u2007\u202f", true},
        {"\u2028\u2029\u0085", true},                    // line separators from a web page
        {"\u200b\ufeff\u00ad\u061c\u202e\u2060", true},  // invisible format characters
        {"\U000E0041", true},                            // a tag character
        {" 0 ", false},
        {"\u200b.", false},
        {"\xff", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(isBlankText(row.text), row.blank) << row.text;
    }
}

TEST(Trimming, TakesBlanksOffBothEnds) {
    EXPECT_EQ(trimmed(std::string_view{" \t42 50\t"}, " \t"), "42 50");
    EXPECT_EQ(trimmed(std::string_view{"   "}, " "), "");
    EXPECT_EQ(trimmed(std::u32string_view{U"\u3000 42\u2028"}), U"42");
    EXPECT_EQ(skipBlanks(U"4 \u00a0 2", 1), 4U);
    EXPECT_EQ(skipBlanks(U"4  ", 1), 3U);
}

}  // namespace
}  // namespace orvanto
