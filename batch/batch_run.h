// A batch run between a byte source and a byte sink, with no file or terminal of its own: the
// header checked, each record decoded, computed and written back, and the rows counted.
//
// Rules for records, beyond those of the reader:
// - A blank record (every field empty or blanks) is copied through as it was: no row, no count.
// - A record whose bytes its encoding does not read gets an error naming its line, its fields
//   copied byte for byte (output in the input's encoding) or with U+FFFD; the run goes on.
// - A record over the reader's buffer gets an error with empty fields; the run goes on.
// - A row longer than the header keeps its results under the result columns, its extra fields
//   after them, and an error.
// Every row with an error counts as failed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calculation.h"
#include "cli/batch_columns.h"
#include "cli/byte_source.h"
#include "cli/csv_reader.h"
#include "cli/number_format.h"
#include "cli/text_encoding.h"

namespace orvanto::cli {

struct BatchSettings {
    CalculatorInput modes;  // the --seconds default of each point
    NumberFormat format = NumberFormat::Plain;
    bool geodesic = false;
    bool navigation = false;          // the course columns after the others
    std::optional<double> variation;  // and their magnetic ones
    std::string inputName;            // how messages call the input
};

struct BatchOutput {
    TextCodec* codec = nullptr;  // the input's codec writes the fields back byte for byte
    bool byteOrderMark = false;
    bool flushEachRow = false;    // for rows typed at a terminal
    bool escapeControls = false;  // a terminal: control characters written out (\x1b)
};

struct BatchCounts {
    std::uint64_t rows = 0;
    std::uint64_t failed = 0;
};

// The encoding `auto` finds in the reader's first 64 KiB. Throws BatchError naming the first line
// neither encoding reads.
TextEncoding detectInputEncoding(CsvReader& reader);

class BatchRun {
  public:
    BatchRun(CsvReader& reader, TextCodec& input, BatchSettings settings);

    // Reads and checks the header: nothing is written before it passes. Throws BatchError.
    void readHeader();
    bool hadByteOrderMark() const { return reader_.hadByteOrderMark(); }

    // Writes the header and every row; `rowDone` is told the rows done so far. Throws BatchError
    // when the input stops being readable or the sink cannot take the output.
    BatchCounts run(ByteSink& sink, const BatchOutput& output,
                    const std::function<void(std::uint64_t)>& rowDone);

  private:
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

    CsvReader& reader_;
    TextCodec& input_;
    BatchSettings settings_;
    std::vector<std::string> headerRaw_;     // the header's fields as read
    std::vector<std::string> headerFields_;  // and as UTF-8
    std::string lineEnd_;
    BatchColumns columns_;
    std::vector<std::string_view> resultNames_;  // the columns the run adds
    // The current record's fields as UTF-8: views of the raw fields when they are UTF-8 already,
    // else of `decoded_`.
    std::vector<std::string> decoded_;
    std::vector<std::string_view> fields_;
    // Set for the length of run().
    class BlockWriter* writer_ = nullptr;
    BatchOutput output_;
    bool passThrough_ = false;  // fields go out as their raw bytes
    std::string scratch_;
    std::string escaped_;
};

}  // namespace orvanto::cli
