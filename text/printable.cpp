#include "text/printable.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "text/code_points.h"

namespace orvanto {
namespace {

// Control and invisible format characters, which would act on a terminal or on the message's
// layout (a CR, an escape sequence, a right-to-left override) instead of showing.
bool isUnprintable(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           isInvisibleFormat(c);
}

std::string hexDigits(unsigned value, int digits) {
    std::string hex(static_cast<std::size_t>(digits), '0');
    for (auto it = hex.rbegin(); it != hex.rend(); ++it, value >>= 4) {
        *it = "0123456789ABCDEF"[value & 0xFU];
    }
    return hex;
}

// One character as the message shows it, in one style wherever text is escaped: \r, \n and \t
// as a programmer writes them, a byte that does not decode as \xFF, any other unprintable
// character as its code point (U+001B, U+200B), so that an escape and a stray byte never look
// alike.
std::string shown(char32_t c) {
    switch (c) {
        case U'\r':
            return "\\r";
        case U'\n':
            return "\\n";
        case U'\t':
            return "\\t";
        default:
            break;
    }
    if (const auto byte = strayByte(c)) {
        return "\\x" + hexDigits(*byte, 2);
    }
    if (isUnprintable(c)) {
        return "U+" + hexDigits(c, c > 0xFFFF ? 5 : 4);
    }
    return encodeUtf8(std::u32string_view{&c, 1});
}

}  // namespace

std::string printable(const std::u32string_view characters) {
    std::string text;
    for (const char32_t c : characters) {
        text += shown(c);
    }
    return text;
}

std::string printable(std::string_view text) {
    std::string shownText;
    shownText.reserve(text.size());
    appendPrintable(shownText, text);
    return shownText;
}

void appendPrintable(std::string& shownText, std::string_view text) {
    // A character that shows stands as it was written, its very bytes; printable ASCII, most of
    // what is quoted, is taken in one piece up to the first other byte, and a byte at a time
    // without decoding after it (a table's cells mix it with ° and ′).
    const auto showsAsIs = [](char c) {
        return c >= 0x20 && c < 0x7F;  // a byte from 0x80 up is below 0x20 as a signed char
    };
    const auto other = std::find_if_not(text.begin(), text.end(), showsAsIs);
    shownText.append(text.begin(), other);
    for (auto at = static_cast<std::size_t>(other - text.begin()); at < text.size();) {
        if (showsAsIs(text[at])) {
            shownText += text[at++];
            continue;
        }
        const auto [c, length] = characterAt(text, at);
        if (isUnprintable(c) || strayByte(c)) {
            shownText += shown(c);
        } else {
            shownText.append(text, at, length);
        }
        at += length;
    }
}

}  // namespace orvanto
