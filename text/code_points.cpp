#include "text/code_points.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace orvanto {
namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

// Length of the well-formed sequence starting at `at`, or 0 when there is none.
std::size_t sequenceLength(std::string_view text, std::size_t at) noexcept {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80U) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80U;   // the second byte's range excludes overlong forms,
    unsigned char high = 0xBFU;  // surrogates and code points above U+10FFFF
    if (lead >= 0xC2U && lead <= 0xDFU) {
        length = 2;
    } else if (lead >= 0xE0U && lead <= 0xEFU) {
        length = 3;
        if (lead == 0xE0U)
            low = 0xA0U;
        if (lead == 0xEDU)
            high = 0x9FU;
    } else if (lead >= 0xF0U && lead <= 0xF4U) {
        length = 4;
        if (lead == 0xF0U)
            low = 0x90U;
        if (lead == 0xF4U)
            high = 0x8FU;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[at + i]))) {
            return 0;
        }
    }
    return length;
}

constexpr char32_t kStrayByteBase = 0xDC00;

}  // namespace

std::pair<char32_t, std::size_t> characterAt(std::string_view text, std::size_t at) noexcept {
    static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    const std::size_t length = sequenceLength(text, at);
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 0) {
        return {kStrayByteBase + lead, 1};
    }
    char32_t value = lead & kLeadBits[length];
    for (std::size_t i = 1; i < length; ++i) {
        value = (value << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3FU);
    }
    return {value, length};
}

std::u32string decodeUtf8(std::string_view text) {
    std::u32string characters;
    characters.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto [character, length] = characterAt(text, at);
        characters.push_back(character);
        at += length;
    }
    return characters;
}

std::optional<unsigned char> strayByte(char32_t character) {
    if (character >= kStrayByteBase + 0x80 && character <= kStrayByteBase + 0xFF) {
        return static_cast<unsigned char>(character - kStrayByteBase);
    }
    return std::nullopt;
}

std::string encodeUtf8(std::u32string_view characters) {
    std::string text;
    text.reserve(characters.size());
    const auto put = [&text](char32_t bits) { text.push_back(static_cast<char>(bits)); };
    for (const char32_t c : characters) {
        if (const auto byte = strayByte(c)) {
            put(*byte);
        } else if (c < 0x80) {
            put(c);
        } else if (c < 0x800) {
            put(0xC0 | (c >> 6));
            put(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            put(0xE0 | (c >> 12));
            put(0x80 | ((c >> 6) & 0x3F));
            put(0x80 | (c & 0x3F));
        } else {
            put(0xF0 | (c >> 18));
            put(0x80 | ((c >> 12) & 0x3F));
            put(0x80 | ((c >> 6) & 0x3F));
            put(0x80 | (c & 0x3F));
        }
    }
    return text;
}

std::vector<std::size_t> codePointOffsets(std::string_view text) {
    std::vector<std::size_t> offsets;
    offsets.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        offsets.push_back(at);
        const std::size_t length = sequenceLength(text, at);
        at += length == 0 ? 1 : length;
    }
    return offsets;
}

bool isInvisibleFormat(char32_t c) noexcept {
    return c == 0xAD || c == 0x61C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF ||
           (c >= 0xFFF9 && c <= 0xFFFB) || (c >= 0xE0000 && c <= 0xE007F);
}

bool isBlank(char32_t c) noexcept {
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == 0x3000 || c == 0xA0 ||
           c == 0x2007 || c == 0x202F || c == 0x2028 || c == 0x2029 || c == 0x85;
}

bool isBlankText(std::string_view text) noexcept {
    // Called on every field of a batch file: a character at a time, without a decoded copy.
    for (std::size_t at = 0; at < text.size();) {
        if (const auto byte = static_cast<unsigned char>(text[at]); byte < 0x80U) {
            if (!isBlank(byte)) {  // a digit, most often: no decoding needed to know
                return false;
            }
            ++at;
            continue;
        }
        const auto [character, length] = characterAt(text, at);
        if (!isBlank(character) && !isInvisibleFormat(character)) {
            return false;
        }
        at += length;
    }
    return true;
}

bool isValidUtf8(std::string_view text) noexcept {
    constexpr std::uint64_t kHighBits = 0x8080808080808080U;
    for (std::size_t at = 0; at < text.size();) {
        // ASCII, nearly all of a batch file, eight bytes at a time; the last few in the word that
        // ends the text, whose first bytes were passed already.
        if (std::uint64_t word = 0; text.size() >= sizeof word) {
            const bool whole = text.size() - at >= sizeof word;
            std::memcpy(&word, text.data() + (whole ? at : text.size() - sizeof word), sizeof word);
            if ((word & kHighBits) == 0) {
                at = whole ? at + sizeof word : text.size();
                continue;
            }
        }
        const std::size_t length = sequenceLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

}  // namespace orvanto
