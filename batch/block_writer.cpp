#include "batch/block_writer.h"

#include <algorithm>
#include <limits>

namespace orvanto::batch {
namespace {

constexpr std::size_t kBlockSize = std::size_t{256} * 1024;
// A writer starts with room for a few rows and doubles it as they come: a file of a few rows (or a
// fuzzer's input) does not pay for mapping and zeroing the half megabyte a long file fills.
constexpr std::size_t kFirstRoom = std::size_t{4} * 1024;

}  // namespace

BlockWriter::BlockWriter(ByteSink& sink, char delimiter, std::string_view lineEnd,
                         bool flushEachRow)
    : sink_(&sink),
      delimiter_(delimiter),
      lineEnd_(lineEnd),
      flushAt_(flushEachRow ? 0 : kBlockSize) {
    buffer_.resize(kFirstRoom);
}

// Its room grows with the rows it gathers: a writer of a block never filled costs nothing.
BlockWriter::BlockWriter(char delimiter, std::string_view lineEnd)
    : sink_(nullptr),
      delimiter_(delimiter),
      lineEnd_(lineEnd),
      flushAt_(std::numeric_limits<std::size_t>::max()) {}

bool needsCsvQuotes(std::string_view field, char delimiter) noexcept {
    const char specials[] = {delimiter, '"', '\r', '\n'};
    return field.find_first_of(std::string_view{specials, sizeof specials}) !=
           std::string_view::npos;
}

std::string csvQuoted(std::string_view field, char delimiter) {
    if (!needsCsvQuotes(field, delimiter)) {
        return std::string{field};
    }
    std::string quoted = "\"";
    for (std::size_t at = 0; at < field.size();) {
        const std::size_t quote = std::min(field.find('"', at), field.size());
        quoted += field.substr(at, quote - at);
        if (quote < field.size()) {
            quoted += "\"\"";
        }
        at = quote + 1;
    }
    return quoted + "\"";
}

void BlockWriter::appendField(std::string_view field) {
    // Nearly every field needs no quotes, and is copied in place.
    if (!needsCsvQuotes(field, delimiter_)) {
        append(field);
    } else {
        append(csvQuoted(field, delimiter_));
    }
}

// A row longer than the room left: the buffer grows to take it.
void BlockWriter::appendGrowing(std::string_view text) {
    buffer_.resize(std::max(2 * buffer_.size(), used_ + text.size()));
    std::memcpy(buffer_.data() + used_, text.data(), text.size());
    used_ += text.size();
}

void BlockWriter::endRow(std::string_view lineEnd) {
    append(lineEnd.empty() ? std::string_view{lineEnd_} : lineEnd);
    if (used_ >= flushAt_) {
        flush();
    }
}

void BlockWriter::appendRows(std::string_view rows, std::span<const std::size_t> rowEnds) {
    std::size_t from = 0;  // the rows before it are written
    for (const std::size_t end : rowEnds) {
        if (used_ + (end - from) >= flushAt_) {
            // What is buffered, then these rows from where they stand: the bytes of one flush.
            if (used_ > 0) {
                flush();
            }
            sink_->write(rows.substr(from, end - from));
            from = end;
        }
    }
    append(rows.substr(from));
}

void BlockWriter::flush() {
    // Cleared even when the write fails, so that the same bytes are never tried twice.
    struct Clear {
        std::size_t& used;
        ~Clear() { used = 0; }
    } const clear{used_};
    sink_->write({buffer_.data(), used_});
}

}  // namespace orvanto::batch
