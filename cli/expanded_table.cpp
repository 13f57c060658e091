#include "cli/expanded_table.h"

#include <sys/ioctl.h>

#include <algorithm>
#include <cstdlib>

#include "text/code_points.h"
#include "text/display_width.h"

namespace orvanto::cli {
namespace {

constexpr std::size_t kDefaultColumns = 80;
// A value is never squeezed narrower than this, however narrow the terminal: a column of one
// character a line would be no easier to read than a line that runs over.
constexpr std::size_t kNarrowestValue = 16;

// The text in lines of at most `width` columns, the lines after the first indented by `indent`
// spaces (counted in the width); broken between characters, as Chinese text is.
std::string wrapped(std::string_view text, std::size_t width, std::size_t indent) {
    std::string out;
    std::string line;
    std::size_t used = 0;
    for (const char32_t character : decodeUtf8(text)) {
        const std::size_t columns = characterWidth(character);
        if (used + columns > width && used > indent) {
            out += line + "\n";
            line.assign(indent, ' ');
            used = indent;
        }
        line += encodeUtf8(std::u32string_view{&character, 1});
        used += columns;
    }
    return out + line;
}

std::size_t columnOf(const std::vector<std::string>& heading, std::string_view label) {
    return static_cast<std::size_t>(std::find(heading.begin(), heading.end(), label) -
                                    heading.begin());
}

}  // namespace

std::size_t terminalColumns(int fd) {
    winsize size{};
    if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    if (const char* columns = std::getenv("COLUMNS")) {
        char* end = nullptr;
        const long value = std::strtol(columns, &end, 10);
        if (end != columns && *end == '\0' && value > 0) {
            return static_cast<std::size_t>(value);
        }
    }
    return kDefaultColumns;
}

bool fitsWidth(std::string_view text, std::size_t width) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (displayWidth(text.substr(start, end - start)) > width) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

std::string expandedTable(const std::vector<std::vector<std::string>>& cells,
                          std::string_view notes, std::size_t width) {
    if (cells.empty()) {
        return std::string{notes};
    }
    const std::vector<std::string>& heading = cells.front();
    std::size_t headingWidth = 0;
    for (const std::string& label : heading) {
        headingWidth = std::max(headingWidth, displayWidth(label));
    }
    const std::size_t indent = headingWidth + 2;
    const std::size_t lineWidth = std::max(width, indent + kNarrowestValue);
    const std::size_t from = columnOf(heading, "起点");
    const std::size_t to = columnOf(heading, "终点");
    std::string out;
    for (std::size_t row = 1; row < cells.size(); ++row) {
        const std::vector<std::string>& values = cells[row];
        std::string title = "第 " + std::to_string(row) + " 行";
        if (from < values.size() && !values[from].empty()) {
            title += " " + values[from];
        }
        if (to < values.size() && !values[to].empty()) {
            title += " → " + values[to];
        }
        out += (row == 1 ? "" : "\n") + wrapped(title, lineWidth, 2) + "\n";
        for (std::size_t column = 0; column < heading.size(); ++column) {
            const std::string& label = heading[column];
            std::string line = label + std::string(indent - displayWidth(label), ' ') +
                               (column < values.size() ? values[column] : std::string{});
            line = wrapped(line, lineWidth, indent);
            out += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
        }
    }
    if (!notes.empty()) {
        out += "\n";
    }
    for (std::size_t start = 0; start < notes.size();) {
        const std::size_t end = std::min(notes.find('\n', start), notes.size());
        out += wrapped(notes.substr(start, end - start), lineWidth, 0) + "\n";
        start = end + 1;
    }
    return out;
}

}  // namespace orvanto::cli
