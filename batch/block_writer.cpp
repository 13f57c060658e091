#include "batch/block_writer.h"

namespace orvanto::batch {
namespace {

constexpr std::size_t kBlockSize = std::size_t{256} * 1024;

}  // namespace

BlockWriter::BlockWriter(ByteSink& sink, char delimiter, std::string_view lineEnd,
                         bool flushEachRow)
    : sink_(sink), delimiter_(delimiter), lineEnd_(lineEnd), flushEachRow_(flushEachRow) {
    // Room for a block and the row that crosses its end.
    buffer_.reserve(2 * kBlockSize);
}

void BlockWriter::appendField(std::string_view field) {
    const char specials[] = {delimiter_, '"', '\r', '\n'};
    if (field.find_first_of(std::string_view{specials, sizeof specials}) ==
        std::string_view::npos) {
        buffer_ += field;
        return;
    }
    buffer_ += '"';
    for (const char c : field) {
        if (c == '"') {
            buffer_ += '"';
        }
        buffer_ += c;
    }
    buffer_ += '"';
}

void BlockWriter::endRow(std::string_view lineEnd) {
    buffer_ += lineEnd.empty() ? std::string_view{lineEnd_} : lineEnd;
    if (flushEachRow_ || buffer_.size() >= kBlockSize) {
        flush();
    }
}

void BlockWriter::flush() {
    // Cleared even when the write fails, so that the same bytes are never tried twice.
    struct Clear {
        std::string& buffer;
        ~Clear() { buffer.clear(); }
    } const clear{buffer_};
    sink_.write(buffer_);
}

}  // namespace orvanto::batch
