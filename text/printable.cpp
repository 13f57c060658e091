#include "text/printable.h"

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

std::string hexDigits(unsigned value, int digits, const char* alphabet) {
    std::string hex(static_cast<std::size_t>(digits), '0');
    for (auto it = hex.rbegin(); it != hex.rend(); ++it, value >>= 4) {
        *it = alphabet[value & 0xFU];
    }
    return hex;
}

// One character as the message shows it: unprintable ones written out as \r, \n, \t, \x1b, a
// stray byte as \xff, any other as U+200B.
std::string shown(char32_t c) {
    switch (c) {
        case U'\r':
            return "\\r";
        case U'\n':
            return "\\n";
        case U'\t':
            return "\\t";
        case 0x1B:
            return "\\x1b";
        default:
            break;
    }
    if (const int byte = strayByte(c); byte >= 0) {
        return "\\x" + hexDigits(static_cast<unsigned>(byte), 2, "0123456789abcdef");
    }
    if (isUnprintable(c)) {
        return "U+" + hexDigits(c, c > 0xFFFF ? 5 : 4, "0123456789ABCDEF");
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
    return printable(decodeUtf8(text));
}

}  // namespace orvanto
