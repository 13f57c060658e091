// Records copied out of the reader's buffer, so that they can be computed while the reader moves
// on, on another thread. A record without quotes keeps its text alone: its fields are that text cut
// at the delimiter, which the thread computing it does again. The others keep their fields too.
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
    void recordAt(std::size_t index, char delimiter, CsvRecord& record) const;

  private:
    struct Entry {
        std::size_t line = 0;
        std::size_t textAt = 0;  // its text, then its line end, in bytes_
        std::size_t textSize = 0;
        std::uint32_t firstField = 0;  // a record with quotes: its fields in fields_
        std::uint32_t fieldCount = 0;
        std::uint8_t lineEndSize = 0;
        bool verbatim = false;
        bool tooLong = false;
    };
    struct Span {
        std::size_t at;
        std::size_t size;
    };

    std::string bytes_;
    std::vector<Span> fields_;
    std::vector<Entry> entries_;
};

}  // namespace orvanto::batch
