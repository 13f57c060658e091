// The small tables passage planning reads beside batch files, a route's waypoints and a deviation
// card: a CSV or TSV whose header names its columns in English or in Chinese, in any order and
// case; other columns are ignored. The header chooses the delimiter as in batch: the one that gives
// it the required columns. A record whose fields are all empty or blank (an empty line, a
// spreadsheet's ",,,," row) is no record, as in batch. A record with more fields than the header
// (not counting empty ones at the end), or too few to reach a required column, cannot be read:
// its fields would stand under the wrong columns, and a decimal comma ("3100,5") would pass for a
// latitude followed by a longitude.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/text_encoding.h"
#include "text/expected.h"

namespace orvanto::passage {

struct NamedColumn {
    std::string_view english;  // in lower case
    std::string_view chinese;
    bool required = true;
};

// How messages speak of a kind of table file.
struct TableDescription {
    std::string_view noun;            // "航点文件"
    std::string_view headerExample;   // "name,lat,lon"
    std::string_view missingColumns;  // what the header must name, said when it does not
};

struct TableRecord {
    std::vector<std::string>
        fields;            // decoded to UTF-8, by column; empty where the record has none
    std::size_t line = 0;  // where the record starts in the file
    // Why the record cannot be read (bytes its encoding does not read, its length, its fields
    // against the header's); nothing when it can.
    std::optional<std::string> unreadable;
};

class TableFile {
  public:
    // Reads the header. What is wrong with an empty input, an unreadable header or one without the
    // required columns, for the user; InputOutputError when the input cannot be read.
    static Expected<TableFile, std::string> open(batch::CsvReader& reader, batch::TextCodec& codec,
                                                 std::span<const NamedColumn> columns,
                                                 const TableDescription& description);

    // The next record that is not blank; false at the end. InputOutputError when the input cannot
    // be read.
    bool next(TableRecord& record);

    // Whether the header names the column (by its place in the columns given to open).
    bool hasColumn(std::size_t column) const { return positions_[column].has_value(); }

  private:
    TableFile(batch::CsvReader& reader, batch::TextCodec& codec,
              std::span<const NamedColumn> columns,
              std::vector<std::optional<std::size_t>> positions, std::size_t headerFields)
        : reader_(&reader),
          codec_(&codec),
          columns_(columns),
          positions_(std::move(positions)),
          headerFields_(headerFields) {}

    // Why a record of these fields does not fit the header; nothing when it does.
    std::optional<std::string> misfit(const std::vector<std::string>& fields) const;

    batch::CsvReader* reader_;
    batch::TextCodec* codec_;
    std::span<const NamedColumn> columns_;
    std::vector<std::optional<std::size_t>> positions_;  // each column's field, by column
    std::size_t headerFields_;                           // up to the last one that names a column
};

}  // namespace orvanto::passage
