// Keywords typed in any case ("UTF-8", "Lat1", "CSV"): only ASCII letters fold, so a Chinese
// name is matched exactly.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace orvanto {

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string asciiLowerCase(std::string_view text) {
    std::string lower{text};
    std::transform(lower.begin(), lower.end(), lower.begin(), asciiLower);
    return lower;
}

// "utf-16" as a message names it: "UTF-16".
inline std::string asciiUpperCase(std::string_view text) {
    std::string upper{text};
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return upper;
}

inline bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

}  // namespace orvanto
