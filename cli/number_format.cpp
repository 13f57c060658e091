#include "cli/number_format.h"

namespace orvanto::cli {

void appendNumber(std::string& out, std::string_view windowText, NumberFormat format) {
    if (format == NumberFormat::Window) {
        out += windowText;
        return;
    }
    std::string_view text = windowText;
    if (text.ends_with('.')) {
        text.remove_suffix(1);
    }
    const bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        out += '0';
        return;
    }
    if (negative) {
        out += '-';
    }
    if (text.starts_with('.')) {
        out += '0';
    }
    out += text;
}

std::string formattedNumber(std::string_view windowText, NumberFormat format) {
    std::string out;
    appendNumber(out, windowText, format);
    return out;
}

}  // namespace orvanto::cli
