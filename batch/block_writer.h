// Batch output: rows gathered in a large buffer and written in blocks, each field quoted the
// RFC 4180 way where it needs to be, in the input's own delimiter and line end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "batch/byte_source.h"

namespace orvanto::batch {

// A field as RFC 4180 writes it with `delimiter`: in quotes, inner quotes doubled, when it holds
// the delimiter, a quote, CR or LF; as it is otherwise.
bool needsCsvQuotes(std::string_view field, char delimiter) noexcept;
std::string csvQuoted(std::string_view field, char delimiter);

// Copies `count` bytes, one Word's size to two, as the first and the last Word, which overlap in
// the middle.
template <typename Word>
void copyEnds(char* to, const char* from, std::size_t count) noexcept {
    Word first{};
    Word last{};
    std::memcpy(&first, from, sizeof first);
    std::memcpy(&last, from + count - sizeof last, sizeof last);
    std::memcpy(to, &first, sizeof first);
    std::memcpy(to + count - sizeof last, &last, sizeof last);
}

// Copies `count` bytes. A row is mostly short texts (a number, an empty field, a line end), which
// take a few moves here where a call to memcpy costs more than the copy.
inline void copyBytes(char* to, const char* from, std::size_t count) noexcept {
    if (count > 16) {
        std::memcpy(to, from, count);
    } else if (count >= 8) {
        copyEnds<std::uint64_t>(to, from, count);
    } else if (count >= 4) {
        copyEnds<std::uint32_t>(to, from, count);
    } else if (count > 0) {  // the first, the middle and the last byte cover 1 to 3
        const char a = from[0];
        const char b = from[count / 2];
        const char c = from[count - 1];
        to[0] = a;
        to[count / 2] = b;
        to[count - 1] = c;
    }
}

class BlockWriter {
  public:
    // With `flushEachRow` every row is written as soon as it ends (for rows typed at a terminal);
    // otherwise a block at a time.
    BlockWriter(ByteSink& sink, char delimiter, std::string_view lineEnd, bool flushEachRow);
    // Gathers rows for another writer to write (appendRows): they stay until clear().
    BlockWriter(char delimiter, std::string_view lineEnd);

    // Text written as it is. Copied in place while the block has room: no call that may throw,
    // which in the browser build would cost a trip through JavaScript for every field.
    void append(std::string_view text) {
        if (text.size() <= buffer_.size() - used_) {
            copyBytes(buffer_.data() + used_, text.data(), text.size());
            used_ += text.size();
        } else {
            appendGrowing(text);
        }
    }
    void appendDelimiter() {
        if (used_ < buffer_.size()) {
            buffer_[used_++] = delimiter_;
        } else {
            appendGrowing({&delimiter_, 1});
        }
    }
    // A field, in quotes (inner quotes doubled) when it holds the delimiter, a quote, CR or LF.
    void appendField(std::string_view field);
    // Ends a row with the input's line end (or `lineEnd` when given).
    void endRow(std::string_view lineEnd = {});
    // Rows another writer gathered, `rowEnds` where each ends in `rows`, written out at the very
    // points they would have been had they been written here row by row. Throws InputOutputError
    // when the sink cannot take them.
    void appendRows(std::string_view rows, std::span<const std::size_t> rowEnds);
    // The bytes written since the last flush.
    std::size_t buffered() const { return used_; }
    // Writes what is buffered. Throws InputOutputError when the sink cannot take it.
    void flush();
    // A gathering writer's rows, and its start over.
    std::string_view gathered() const { return {buffer_.data(), used_}; }
    void clear() { used_ = 0; }

  private:
    void appendGrowing(std::string_view text);

    ByteSink* sink_;  // none for a gathering writer
    char delimiter_;
    std::string lineEnd_;
    std::size_t flushAt_;  // a row that leaves this many bytes or more buffered is written
    std::string buffer_;   // its size is the room; the bytes written are the first `used_`
    std::size_t used_ = 0;
};

}  // namespace orvanto::batch
