// Reading a batch file record by record, in constant memory, from a large block buffer.
//
// The grammar is RFC 4180's, with the delimiter D decided by the header line:
//
//   record   = field *(D field) line-end
//   line-end = LF | CR LF | CR | the end of the input
//   field    = quoted | plain
//   plain    = any bytes but D, CR and LF; a quote in it is data
//   quoted   = '"' { any byte but '"' | '""' } '"' rest
//              Line ends inside are data and "" stands for one quote. Spreadsheets leave text
//              after the closing quote ("a"b) as it is, and so does this reader: `rest`, up to D or
//              the line end, is appended to the field.
//
// A last line without a line end is a record; an input ending in a line end has no empty record
// after it. An empty line is a record of one empty field. Before the header, a UTF-8 byte order
// mark is skipped, and so are lines of nothing but spaces, tabs, commas and semicolons (a
// spreadsheet's empty first rows): they are no records. The reader cuts bytes, UTF-8 or GB18030
// alike (see text_encoding.h); decoding the fields is the caller's.
//
// The delimiter is a tab, a comma or a semicolon: the first of them in the header that splits it
// into fields the caller's header test accepts (the one that gives the columns it needs: a TSV
// whose column names hold commas, a CSV with semicolons as European spreadsheets write it). When
// none does, the header's first comma or tab decides (a tab makes the file TSV), else a comma.
//
// A record holds at most 1 MiB, its line end aside: a longer one comes back as a record marked too
// long, without fields, and reading resumes after its line end; but one with a quote in its first
// 1 MiB stops the run, since its quote may never close. Where reads stop never changes which
// records are too long.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/byte_source.h"

namespace orvanto::batch {

// A line as messages name it: "第 12 行".
inline std::string lineText(std::size_t line) {
    return "第 " + std::to_string(line) + " 行";
}

struct CsvRecord {
    // The fields' texts as read (quotes removed, "" made one quote). They point into the reader's
    // buffers and stay valid until its next read.
    std::vector<std::string_view> fields;
    // True when the record held no quote and no carriage return except its line end: writing the
    // fields back unquoted, joined by the delimiter, then gives `text` byte for byte.
    bool verbatim = false;
    bool tooLong = false;      // over the buffer: skipped, no fields
    std::string_view text;     // the record's bytes without the line end
    std::string_view lineEnd;  // "\n", "\r\n", "\r", or "" for a last line without a line end
    std::size_t line = 0;      // the line the record starts on, counted from 1
};

// Cuts the first line of `lines` (taken by takePlainLines) into `record` as the reader would, and
// moves past it.
void cutPlainLine(std::string_view& lines, char delimiter, std::size_t line, CsvRecord& record);

class CsvReader {
  public:
    static constexpr std::size_t kDefaultLargestRecord = std::size_t{1} << 20;

    // Memory stays bounded by a buffer a little over the largest record, whatever the input.
    explicit CsvReader(ByteSource& source, std::size_t largestRecord = kDefaultLargestRecord);

    // The largest record the reader takes, as messages write it ("1024 KiB").
    std::string largestRecordText() const;

    // Reads the next record; false at the end of the input. Throws InputOutputError, naming the
    // line where the quote opened, for a quote still open at the end of the input or the buffer.
    bool next(CsvRecord& record);

    struct Most {
        std::size_t bytes;
        std::size_t lines;
    };
    // The next whole lines, up to `most` bytes and lines, when they hold no quote and no carriage
    // return but those before line feeds: cut by cutPlainLine above, they give the records next()
    // would give. `firstLine` is told the line they start on. Empty when the next line is not such
    // a line, or not all here; next() then reads on. Call after the first record. Throws
    // InputOutputError as next() does.
    std::string_view takePlainLines(Most most, std::size_t& firstLine);

    // The input's first bytes, up to `size` (or the buffer), without consuming them; call before
    // the first record. `complete` tells whether they are the whole input.
    std::string_view lookAhead(std::size_t size, bool& complete);

    // Whether a header's fields (as read, undecoded) name the columns the caller needs; set before
    // the first record to choose the delimiter by it.
    using HeaderTest = std::function<bool(std::span<const std::string_view>)>;
    void chooseDelimiterBy(HeaderTest test) { headerTest_ = std::move(test); }

    // Both known once the first record has been read.
    char delimiter() const { return delimiter_; }
    bool hadByteOrderMark() const { return hadByteOrderMark_; }

  private:
    enum class Scan { Record, NeedMore, End };
    // What a byte means to the scan of a plain line; one table lookup a byte.
    enum class ByteClass : unsigned char { Data, Delimiter, LineFeed, QuoteOrReturn };

    void start();
    std::string_view firstLine(std::size_t& endLength);
    char chooseDelimiter(std::string_view header) const;
    bool fill();  // false when the buffer is full
    void markTooLong(CsvRecord& record) const;
    void skipLongRecord(CsvRecord& record);
    [[noreturn]] void throwLongQuoted() const;
    Scan scanPlainLine(CsvRecord& record);
    Scan scanRecord(CsvRecord& record);
    std::string& quotedText(std::size_t index);

    ByteSource& source_;
    std::size_t largest_;  // the most bytes a record holds, its line end aside
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // the unread bytes are [begin_, end_)
    std::size_t end_ = 0;
    bool ended_ = false;  // the source has nothing more
    bool started_ = false;
    bool hadByteOrderMark_ = false;
    char delimiter_ = ',';
    HeaderTest headerTest_;
    std::array<ByteClass, 256> classes_{};
    std::size_t line_ = 1;  // the line the next record starts on
    // The last scan asked for more bytes for a record with a quote.
    bool quotedRecord_ = false;
    // The unquoted texts of the current record's quoted fields, each held on its own so that adding
    // one never moves the others that fields already point into; unlike a deque, no room is taken
    // until a file has a quote.
    std::vector<std::unique_ptr<std::string>> quoted_;
};

}  // namespace orvanto::batch
