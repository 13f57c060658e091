// Records copied out of the reader's buffer, so that they can be computed while the reader moves
// on, on another thread: each record's text and line end, its fields where the reader cut them
// (views into the text, or copies of what the reader unquoted) and the rest of what the reader
// told.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "batch/csv_reader.h"

namespace orvanto::batch {

class RecordBlock {
  public:
    // A block is full at so many records or bytes: a few milliseconds of rows on one thread, and
    // little memory for the two blocks a thread has in flight.
    static constexpr std::size_t kMostRecords = 4096;
    static constexpr std::size_t kMostBytes = std::size_t{256} * 1024;

    void clear();
    void add(const CsvRecord& record);
    bool full(std::size_t mostRecords) const {
        return entries_.size() >= mostRecords || bytes_.size() >= kMostBytes;
    }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // The record at `index` as the reader gave it, its views into this block.
    void recordAt(std::size_t index, CsvRecord& record) const;

  private:
    // Where a field is, counted from its record's first byte: a record fits the reader's buffer.
    struct FieldSpan {
        std::uint32_t at;
        std::uint32_t size;
    };
    struct Entry {
        std::size_t line = 0;
        std::size_t textAt = 0;  // its text, then its line end, then any unquoted fields
        std::uint32_t textSize = 0;
        std::uint32_t firstField = 0;  // in fields_
        std::uint32_t fieldCount = 0;
        std::uint8_t lineEndSize = 0;
        bool verbatim = false;
        bool tooLong = false;
    };

    std::string bytes_;
    // Grown, never shrunk: the block's fields are its first fieldsUsed_, written in place.
    std::vector<FieldSpan> fields_;
    std::size_t fieldsUsed_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace orvanto::batch
