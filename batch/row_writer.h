// One record of a batch run written out: its fields decoded, the row computed and written back with
// its results, a blank record copied through, an unread one told as such. Everything a row changes
// lives in a RowWriter, so that each thread that computes rows has its own; what the rows of a run
// share is a RowFormat, fixed before the first row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_columns.h"
#include "batch/batch_row.h"
#include "batch/block_writer.h"
#include "batch/column_provider.h"
#include "batch/csv_reader.h"
#include "batch/text_encoding.h"
#include "calculator/calculation.h"
#include "calculator/decimal_text.h"

namespace orvanto::batch {

struct BatchCounts {
    std::uint64_t rows = 0;
    std::uint64_t failed = 0;
};

// What every row of a run shares, known once the header is read and the output chosen.
struct RowFormat {
    BatchColumns columns;
    CalculatorInput modes;  // the default mode of each point, for rows that leave theirs empty
    std::string_view defaultMode;  // where it comes from, as the front end says it
    NumberStyle style = NumberStyle::Plain;
    std::vector<const ColumnProvider*> providers;  // they must outlive every row
    std::size_t extraColumns = 0;                  // the providers' columns
    char delimiter = ',';
    std::string lineEnd = "\n";   // the header's
    std::string largestRecord;    // the reader's limit, as messages write it ("1024 KiB")
    bool passThrough = false;     // the output's bytes are the input's: fields go out raw
    bool keepsBadBytes = false;   // and so do the bytes of a record that does not decode
    bool escapesRaw = false;      // a terminal's escaped fields are written from their raw bytes
    bool escapeControls = false;  // a terminal: control characters written out (U+001B)
};

// The codec that reads the records' bytes and the one that writes texts in the output's encoding,
// of the encodings the format was made for; named at the call, so that the two are never swapped.
// A writer's own: a codec may convert with state of its own.
struct RowCodecs {
    TextCodec& input;
    TextCodec& output;
};

class RowWriter {
  public:
    RowWriter(const RowFormat& format, RowCodecs codecs);

    // Where the rows go from now on; before the first.
    void writeInto(BlockWriter& writer) { writer_ = &writer; }

    // The header's first `format.columns.width` fields (as read and as UTF-8), then `resultNames`.
    void writeHeader(std::span<const std::string> raw, std::span<const std::string> utf8,
                     std::span<const std::string_view> resultNames);

    // Writes the record's row and counts it; false for a blank record, copied through uncounted.
    // The record's fields may be changed to what was written.
    bool write(CsvRecord& record, BatchCounts& counts);

  private:
    void unreadRecord(CsvRecord& record);
    void longRowError(const CsvRecord& record);
    void decodeFields(const CsvRecord& record, bool valid);
    // A field as read and as UTF-8, named at the call so that the two are never swapped.
    struct FieldText {
        std::string_view raw;
        std::string_view utf8;
    };
    void putField(FieldText field);
    void putText(std::string_view raw);
    std::string_view encoded(std::string_view utf8);
    void putRecord(const CsvRecord& record, std::size_t count);

    RowFormat format_;
    TextCodec& input_;
    TextCodec& output_;
    BlockWriter* writer_ = nullptr;
    RowCalculator calculator_;
    RowResults results_;
    // The current record's fields as UTF-8: views of the raw fields when they are UTF-8 already,
    // else of `decoded_`.
    std::vector<std::string> decoded_;
    std::vector<std::string_view> fields_;
    std::string scratch_;
    std::string escaped_;
};

}  // namespace orvanto::batch
