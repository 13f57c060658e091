#include "batch/text_encoding.h"

#include <algorithm>
#include <array>

#include "text/code_points.h"

namespace orvanto::batch {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool inRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// A four-byte form's place in GB18030's linear order of four-byte codes.
std::uint32_t linearIndex(const unsigned char* b) {
    return ((b[0] - 0x81U) * 10U + (b[1] - 0x30U)) * 1260U + (b[2] - 0x81U) * 10U + (b[3] - 0x30U);
}

// Those that map to Unicode: the rest of the BMP (81 30 81 30 to 84 31 A4 39) and the
// supplementary planes (90 30 81 30 to E3 32 9A 35).
bool mapsToUnicode(const unsigned char* b) {
    const std::uint32_t index = linearIndex(b);
    constexpr unsigned char kBmpEnd[] = {0x84, 0x31, 0xA4, 0x39};
    constexpr unsigned char kPlanesStart[] = {0x90, 0x30, 0x81, 0x30};
    constexpr unsigned char kPlanesEnd[] = {0xE3, 0x32, 0x9A, 0x35};
    return index <= linearIndex(kBmpEnd) ||
           (index >= linearIndex(kPlanesStart) && index <= linearIndex(kPlanesEnd));
}

// The length of a UTF-8 sequence cut off by the end of `text`, or 0 when it ends on a whole one.
std::size_t cutUtf8Tail(std::string_view text) {
    for (std::size_t back = 1; back <= std::min<std::size_t>(3, text.size()); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0U) != 0x80U) {
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return length > back ? back : 0;
        }
    }
    return 0;
}

bool isValidUtf8Head(std::string_view text, bool complete) {
    return isValidUtf8(complete ? text : text.substr(0, text.size() - cutUtf8Tail(text)));
}

}  // namespace

bool isValidGb18030(std::string_view text, bool cutEndAllowed) noexcept {
    const auto* at = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = at + text.size();
    while (at < end) {
        if (*at < 0x80) {
            ++at;
            continue;
        }
        if (!inRange(*at, 0x81, 0xFE)) {
            return false;
        }
        const auto left = static_cast<std::size_t>(end - at);
        if (left >= 2 && (inRange(at[1], 0x40, 0x7E) || inRange(at[1], 0x80, 0xFE))) {
            at += 2;
        } else if (left >= 4 && inRange(at[1], 0x30, 0x39) && inRange(at[2], 0x81, 0xFE) &&
                   inRange(at[3], 0x30, 0x39) && mapsToUnicode(at)) {
            at += 4;
        } else {
            // A lead byte, or a lead and digit and lead, that the end cuts off.
            return cutEndAllowed && (left == 1 || (left < 4 && inRange(at[1], 0x30, 0x39) &&
                                                   (left == 2 || inRange(at[2], 0x81, 0xFE))));
        }
    }
    return true;
}

Expected<TextEncoding, UnreadableLine> detectEncoding(std::string_view head, bool complete) {
    if (head.starts_with(kUtf8ByteOrderMark) || isValidUtf8Head(head, complete)) {
        return TextEncoding::Utf8;
    }
    if (isValidGb18030(head, !complete)) {
        return TextEncoding::Gb18030;
    }
    std::size_t firstGbFailure = 0;
    std::size_t line = 1;
    for (std::size_t start = 0; start < head.size(); ++line) {
        // A line ends at LF, CR LF or a lone CR, as the reader ends its records.
        const std::size_t stop = std::min(head.find_first_of("\r\n", start), head.size());
        const std::string_view text = head.substr(start, stop - start);
        const bool last = stop == head.size();
        const bool gb = isValidGb18030(text, last && !complete);
        if (!gb && !isValidUtf8Head(text, !last || complete)) {
            return unexpected(UnreadableLine{line});
        }
        firstGbFailure = firstGbFailure == 0 && !gb ? line : firstGbFailure;
        start = stop + (head.substr(stop, 2) == "\r\n" ? 2 : 1);
    }
    return unexpected(UnreadableLine{firstGbFailure});
}

bool Utf8Codec::isValid(std::string_view raw) const noexcept {
    return isValidUtf8(raw);
}

void Utf8Codec::appendUtf8(std::string_view raw, std::string& out) {
    if (isValidUtf8(raw)) {
        out += raw;
        return;
    }
    for (std::size_t at = 0; at < raw.size();) {
        const auto [c, length] = characterAt(raw, at);
        if (strayByte(c)) {
            out += kReplacement;
        } else {
            out.append(raw, at, length);
        }
        at += length;
    }
}

}  // namespace orvanto::batch
