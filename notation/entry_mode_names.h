// How a file names a point's mode in a column of its own (batch's mode1, a waypoint's mode): the
// letters and characters a spreadsheet user types for 分 and 秒.
#pragma once

#include <optional>
#include <string_view>

#include "notation/entry_mode.h"
#include "text/trimming.h"

namespace orvanto {

// The mode fields other than a lone letter or nothing (see entryModeNamed).
inline std::optional<EntryMode> spelledEntryMode(std::string_view text, EntryMode fallback) {
    text = trimmed(text, " \t");
    if (text.empty()) {
        return fallback;
    }
    // Full-width letters, as a Chinese input method types them, count as entries count them.
    for (const std::string_view minutes : {"m", "M", "分", "ｍ", "Ｍ"}) {
        if (text == minutes) {
            return EntryMode::Minutes;
        }
    }
    for (const std::string_view seconds : {"s", "S", "秒", "ｓ", "Ｓ"}) {
        if (text == seconds) {
            return EntryMode::Seconds;
        }
    }
    return std::nullopt;
}

// A mode field: m, s, 分 or 秒 (ｍ and ｓ in full width too, either case) with optional blanks
// around; empty or blank means `fallback`. Nothing for anything else. Inline, as it is read for
// every point of every row.
inline std::optional<EntryMode> entryModeNamed(std::string_view text, EntryMode fallback) {
    if (text.empty()) {
        return fallback;
    }
    if (text.size() != 1) {
        return spelledEntryMode(text, fallback);
    }
    switch (text.front()) {  // the usual field, looked at once
        case 'm':
        case 'M':
            return EntryMode::Minutes;
        case 's':
        case 'S':
            return EntryMode::Seconds;
        case ' ':
            return fallback;
        default:
            return spelledEntryMode(text, fallback);
    }
}

}  // namespace orvanto
