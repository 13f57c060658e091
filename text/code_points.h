// Splitting a UTF-8 text into characters, for decoders that take pieces by character position or
// look at characters one by one, and the few character classes every reader of typed text shares.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanto {

// Byte offsets at which the characters (Unicode code points) of a UTF-8 text start. A byte that
// does not begin a well-formed sequence counts as one character, so any byte string splits without
// error.
std::vector<std::size_t> codePointOffsets(std::string_view text);

// The characters of a UTF-8 text as code points. A byte that does not begin a well-formed sequence
// becomes U+DC00 plus its value (U+DC80..U+DCFF), a lone surrogate that well-formed UTF-8 never
// holds, so that encodeUtf8 gives back the very bytes and a stray byte still counts as one
// character.
std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view characters);

// The character that starts at byte `at` (below the text's size) as decodeUtf8 gives it, and the
// bytes it takes: for walking a text without a decoded copy.
std::pair<char32_t, std::size_t> characterAt(std::string_view text, std::size_t at) noexcept;

// The stray byte a lone surrogate of decodeUtf8 stands for; nothing for any other character.
std::optional<unsigned char> strayByte(char32_t character);

// Characters that take no room and show nothing (U+200B, U+FEFF, U+202E, the soft hyphen, …): an
// input method, a spreadsheet or a pasted web page leaves them in a text without the user seeing
// them.
bool isInvisibleFormat(char32_t character) noexcept;

// Space, tab, CR, LF, the ideographic space U+3000, the no-break spaces U+00A0, U+2007 and
// U+202F, and the line breaks U+2028, U+2029 and U+0085 that a pasted web page or an old
// mainframe file leaves: what separates words in a typed or pasted text.
bool isBlank(char32_t character) noexcept;

// Whether a UTF-8 text holds nothing but blanks and invisible format characters (or nothing at
// all): a box the user sees as empty.
bool isBlankText(std::string_view text) noexcept;

// "０" to "９", which a Chinese input method types in full-width mode.
constexpr bool isFullWidthDigit(char32_t character) {
    return character >= U'０' && character <= U'９';
}

// What a spreadsheet or an editor may write in front of a UTF-8 file to say that it is one.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Whether the text is well-formed UTF-8 (no overlong forms, surrogates or values above U+10FFFF).
bool isValidUtf8(std::string_view text) noexcept;

}  // namespace orvanto
