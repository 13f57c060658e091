#include "text/wrapped_lines.h"

#include <algorithm>
#include <vector>

#include "text/code_points.h"
#include "text/display_width.h"

namespace orvanto {
namespace {

// Punctuation that closes what is before it: a line never starts with it.
bool closes(char32_t c) {
    constexpr std::u32string_view kClosing = U"，、。；：？！）」』》〉】”’…%,.;:?!)]";
    return kClosing.find(c) != std::u32string_view::npos;
}

// Punctuation that opens what is after it: a line never ends with it.
bool opens(char32_t c) {
    constexpr std::u32string_view kOpening = U"（「『《〈【“‘([";
    return kOpening.find(c) != std::u32string_view::npos;
}

// Chinese text, in which a line may break between any two characters: the wide characters and
// the quotation marks, which a terminal may draw narrow.
bool chinese(char32_t c) {
    return characterWidth(c) == 2 || c == U'“' || c == U'”' || c == U'‘' || c == U'’';
}

// Whether a line may break between `before` and `after`.
bool breaksBetween(char32_t before, char32_t after) {
    if (before == U' ') {
        return after != U' ';
    }
    if (after == U' ' || closes(after) || opens(before)) {
        return false;
    }
    return (chinese(before) && chinese(after)) || (chinese(before) && closes(before)) ||
           (chinese(after) && opens(after));
}

std::u32string_view withoutTrailingBlanks(std::u32string_view text) {
    const std::size_t end = text.find_last_not_of(U' ');
    return end == std::u32string_view::npos ? std::u32string_view{} : text.substr(0, end + 1);
}

std::size_t columns(std::u32string_view text) {
    std::size_t width = 0;
    for (const char32_t c : text) {
        width += characterWidth(c);
    }
    return width;
}

// One line of the text, broken as it needs.
void wrapLine(std::u32string_view line, std::size_t width, std::string& out) {
    const std::size_t indent = std::min(line.find_first_not_of(U' '), line.size());
    const std::u32string_view content = line.substr(indent);
    std::vector<std::u32string_view> pieces;
    std::size_t start = 0;
    for (std::size_t at = 1; at <= content.size(); ++at) {
        if (at == content.size() || breaksBetween(content[at - 1], content[at])) {
            pieces.push_back(content.substr(start, at - start));
            start = at;
        }
    }
    const std::u32string margin(indent, U' ');
    std::u32string current = margin;
    for (const std::u32string_view piece : pieces) {
        const bool empty = current.size() == indent;
        if (!empty && columns(withoutTrailingBlanks(current + std::u32string{piece})) > width) {
            out += encodeUtf8(withoutTrailingBlanks(current)) + "\n";
            current = margin;
        }
        current += piece;
    }
    out += encodeUtf8(withoutTrailingBlanks(current)) + "\n";
}

}  // namespace

std::string wrappedLines(std::string_view text, std::size_t width) {
    std::string out;
    const std::u32string characters = decodeUtf8(text);
    const std::u32string_view all{characters};
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t end = std::min(all.find(U'\n', start), all.size());
        wrapLine(all.substr(start, end - start), width, out);
        start = end + 1;
    }
    return out;
}

}  // namespace orvanto
