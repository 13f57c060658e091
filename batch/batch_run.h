// A batch run between a byte source and a byte sink, with no file or terminal of its own: the
// header checked, each record decoded, computed and written back, and the rows counted.
//
// Rules for records, beyond those of the reader:
// - A blank record (every field empty or blanks) is copied through as it was: no row, no count.
// - A record whose bytes its encoding does not read gets an error naming its line; its fields are
//   copied byte for byte when the output is in the input's encoding without a byte order mark,
//   and otherwise have U+FFFD for those bytes, which the error then says (on a terminal a UTF-8
//   field's stray bytes are written out instead: \xFF). The run goes on.
// - A record over the reader's buffer gets an error with empty fields; the run goes on.
// - A row longer than the header keeps its results under the result columns, its extra fields
//   after them, and an error.
// Every row with an error counts as failed.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_columns.h"
#include "batch/block_computer.h"
#include "batch/block_writer.h"
#include "batch/byte_source.h"
#include "batch/column_provider.h"
#include "batch/csv_reader.h"
#include "batch/front_end_words.h"
#include "batch/record_block.h"
#include "batch/row_writer.h"
#include "batch/text_encoding.h"
#include "calculator/calculation.h"
#include "calculator/decimal_text.h"
#include "text/expected.h"

namespace orvanto::batch {

struct BatchSettings {
    CalculatorInput modes;  // the default mode of each point, for rows that leave theirs empty
    NumberStyle style = NumberStyle::Plain;
    std::string inputName;  // how messages call the input
    // Columns after the error column, each provider's in turn; they must outlive the run.
    std::vector<const ColumnProvider*> extraColumns;
    // The columns other runs add (other providers'), refused as input columns.
    std::vector<std::string_view> otherResultColumns;
    FrontEndWords words;  // for the advice of its messages
};

struct BatchOutput {
    TextCodec* codec = nullptr;  // the input's codec writes the fields back byte for byte
    // A UTF-8 byte order mark first; the output is then valid text throughout.
    bool byteOrderMark = false;
    bool flushEachRow = false;    // for rows typed at a terminal
    bool escapeControls = false;  // a terminal: control characters written out (U+001B)
};

// The encoding `auto` finds in the reader's first 64 KiB, or the first line neither encoding reads.
// Throws InputOutputError when the input cannot be read.
Expected<TextEncoding, UnreadableLine> detectInputEncoding(CsvReader& reader);

class BatchRun {
  public:
    BatchRun(CsvReader& reader, TextCodec& input, BatchSettings settings);

    // Reads and checks the header, nothing written before it passes: the columns found, or what is
    // wrong with the header for the user. Throws InputOutputError when the input cannot be read.
    Expected<BatchColumns, std::string> readHeader();
    bool hadByteOrderMark() const { return reader_.hadByteOrderMark(); }

    // Writes the header and every row; `rowDone` is told the rows done so far. Throws
    // InputOutputError when the input stops being readable or the sink cannot take the output.
    BatchCounts run(ByteSink& sink, const BatchOutput& output,
                    const std::function<void(std::uint64_t)>& rowDone);

    // The same run in blocks, for a front end that computes rows on several threads, with output
    // byte for byte as run() writes it: begin() writes the header; cutBlock() copies the next
    // records out of the reader; BlockComputers, one a thread, made from rowFormat(), compute the
    // blocks; writeBlock() writes them in the order they were cut and returns the rows so far;
    // finish() writes what is left. All but the computing on one thread. Throws InputOutputError as
    // run() does; cutBlock() throws it only once the records before the failure have been cut.
    void begin(ByteSink& sink, const BatchOutput& output);
    // False once the input is done; a block that is not full holds the input's last records.
    bool cutBlock(RecordBlock& block, std::size_t mostRecords = RecordBlock::kMostRecords);
    const RowFormat& rowFormat() const { return format_; }
    BatchCounts writeBlock(const ComputedBlock& block);
    BatchCounts finish();

  private:
    BatchCounts runRows(RowWriter& rows, CsvRecord& record,
                        const std::function<void(std::uint64_t)>& rowDone);

    CsvReader& reader_;
    TextCodec& input_;
    BatchSettings settings_;
    std::vector<std::string> headerRaw_;         // the header's fields as read
    std::vector<std::string> headerFields_;      // and as UTF-8
    std::vector<std::string_view> resultNames_;  // the columns the run adds
    RowFormat format_;
    // From begin() to finish().
    std::optional<BlockWriter> writer_;
    BatchCounts counts_;
    CsvRecord record_;             // the one cutBlock() reads
    std::exception_ptr cutShort_;  // what stopped the reader in the middle of the last block
};

}  // namespace orvanto::batch
