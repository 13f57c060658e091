#include "batch/utf16_streams.h"

#include <algorithm>
#include <cstring>

#include "text/code_points.h"

namespace orvanto::batch {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char kUnreadable = '\xFF';  // never part of UTF-8

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void putUnit(char32_t unit, ByteOrder order, std::string& out) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out += order == ByteOrder::LittleEndian ? low : high;
    out += order == ByteOrder::LittleEndian ? high : low;
}

// The UTF-8 bytes of a character, written at `into`; how many.
std::size_t putUtf8(char32_t c, char* into) {
    const std::string bytes = encodeUtf8(std::u32string_view{&c, 1});
    std::copy(bytes.begin(), bytes.end(), into);
    return bytes.size();
}

}  // namespace

void appendUtf16(std::string_view utf8, ByteOrder order, std::string& out) {
    for (char32_t c : decodeUtf8(utf8)) {
        c = strayByte(c) ? kReplacement : c;
        if (c > 0xFFFF) {
            putUnit(0xD800 + ((c - 0x10000) >> 10), order, out);
            putUnit(0xDC00 + ((c - 0x10000) & 0x3FF), order, out);
        } else {
            putUnit(c, order, out);
        }
    }
}

std::optional<ByteOrder> Utf16Source::byteOrder() {
    if (probed_) {
        return order_;
    }
    probed_ = true;
    if (detection_ == Detection::Never) {
        return std::nullopt;
    }
    char first[kMinimumRead];
    while (pending_.size() < 2 && !rawEnded_) {
        const std::size_t count = raw_.read(first, sizeof first);
        pending_.append(first, count);
        rawEnded_ = count == 0;
    }
    if (pending_.starts_with("\xFE\xFF")) {
        order_ = ByteOrder::BigEndian;
    } else if (pending_.starts_with("\xFF\xFE") || detection_ == Detection::Always) {
        order_ = ByteOrder::LittleEndian;
    }
    return order_;
}

std::size_t Utf16Source::read(char* into, std::size_t capacity) {
    if (!byteOrder()) {
        if (pending_.empty()) {
            return raw_.read(into, capacity);
        }
        const std::size_t count = std::min(capacity, pending_.size());
        std::memcpy(into, pending_.data(), count);
        pending_.erase(0, count);
        return count;
    }
    for (;;) {
        const std::size_t written = convert(into, capacity);
        if (written > 0 || rawEnded_) {
            return written;
        }
        refill(capacity);
    }
}

// As many of the pending code units as there is room for (four bytes at most each), a pair that
// the read cut in two left for the next call.
std::size_t Utf16Source::convert(char* into, std::size_t capacity) {
    const auto unitAt = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(pending_[at]);
        const auto second = static_cast<unsigned char>(pending_[at + 1]);
        return static_cast<char32_t>(*order_ == ByteOrder::LittleEndian ? second << 8 | first
                                                                        : first << 8 | second);
    };
    std::size_t written = 0;
    std::size_t at = 0;
    while (at + 2 <= pending_.size() && written + 4 <= capacity) {
        const char32_t unit = unitAt(at);
        if (isHighSurrogate(unit) && at + 4 > pending_.size() && !rawEnded_) {
            break;
        }
        if (isHighSurrogate(unit) && at + 4 <= pending_.size() && isLowSurrogate(unitAt(at + 2))) {
            written += putUtf8(0x10000 + ((unit - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00),
                               into + written);
            at += 4;
            continue;
        }
        if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            into[written++] = kUnreadable;
        } else {
            written += putUtf8(unit, into + written);
        }
        at += 2;
    }
    if (rawEnded_ && at + 1 == pending_.size() && written < capacity) {
        into[written++] = kUnreadable;
        ++at;
    }
    pending_.erase(0, at);
    return written;
}

// Each two bytes give at most three of UTF-8: two thirds of the room read at a time.
void Utf16Source::refill(std::size_t capacity) {
    const std::size_t before = pending_.size();
    const std::size_t wanted = std::max(kMinimumRead, capacity / 3 * 2);
    pending_.resize(before + wanted);
    const std::size_t count = raw_.read(pending_.data() + before, wanted);
    pending_.resize(before + count);
    rawEnded_ = count == 0;
}

void Utf16Sink::write(std::string_view bytes) {
    encoded_.clear();
    appendUtf16(bytes, order_, encoded_);
    next_.write(encoded_);
}

}  // namespace orvanto::batch
