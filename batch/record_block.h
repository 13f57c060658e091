// Records copied out of the reader's buffer, so that they can be computed while the reader moves
// on, on another thread. Plain lines (CsvReader::takePlainLines), most files' every line, are
// copied as one text and cut into records by the thread that computes them, which spares the
// reading thread all but finding their line feeds. Other records are kept each with its text and
// line end, its fields where the reader cut them (views into the text, or copies of what the
// reader unquoted) and the rest of what the reader told.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
    // The block's records are plain lines, from `firstLine` on; nothing may be added to them.
    void takeLines(std::string_view lines, std::size_t firstLine, char delimiter);
    void add(const CsvRecord& record);
    bool full(std::size_t mostRecords) const {
        return lines_ || entries_.size() >= mostRecords || bytes_.size() >= kMostBytes;
    }
    bool empty() const { return !lines_ && entries_.empty(); }

    // Calls `use` with each record in turn in `record`, as the reader gave it, its views into this
    // block.
    template <typename Use>
    void forEachRecord(CsvRecord& record, Use use) const {
        if (lines_) {
            std::string_view lines = bytes_;
            for (std::size_t line = firstLine_; !lines.empty(); ++line) {
                cutPlainLine(lines, delimiter_, line, record);
                use();
            }
            return;
        }
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            recordAt(i, record);
            use();
        }
    }

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

    void recordAt(std::size_t index, CsvRecord& record) const;

    bool lines_ = false;
    std::size_t firstLine_ = 0;
    char delimiter_ = ',';
    std::string bytes_;
    // Grown, never shrunk: the block's fields are its first fieldsUsed_, written in place.
    std::vector<FieldSpan> fields_;
    std::size_t fieldsUsed_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace orvanto::batch
