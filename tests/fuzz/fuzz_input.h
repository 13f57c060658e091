// Splitting a fuzzer's bytes into the pieces a target needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "geometry/entry_decoding.h"

namespace orvanto::fuzz {

// The first byte chooses modes and the like, bit by bit; the rest is text.
struct FuzzInput {
    std::uint8_t choices = 0;
    std::string_view text;

    FuzzInput(const std::uint8_t* data, std::size_t size) {
        if (size > 0) {
            choices = data[0];
            text = {reinterpret_cast<const char*>(data) + 1, size - 1};
        }
    }

    EntryMode mode(int bit) const {
        return (choices >> bit) & 1U ? EntryMode::Seconds : EntryMode::Minutes;
    }

    // The text cut at `separator` into exactly `count` pieces (missing ones empty, the last one
    // taking the rest).
    std::vector<std::string_view> pieces(char separator, std::size_t count) const {
        std::vector<std::string_view> parts;
        std::string_view rest = text;
        while (parts.size() + 1 < count) {
            const std::size_t at = rest.find(separator);
            parts.push_back(rest.substr(0, at));
            rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1);
        }
        parts.push_back(rest);
        return parts;
    }
};

}  // namespace orvanto::fuzz
