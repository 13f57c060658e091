#include "navigation/table_file.h"

#include <algorithm>

#include "batch/batch_columns.h"
#include "text/ascii_case.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto::navigation {
namespace {

using batch::CsvRecord;
using batch::TextCodec;
using Positions = std::vector<std::optional<std::size_t>>;

constexpr std::string_view kBlanks = " \t";

// The record's fields as UTF-8.
std::vector<std::string> decodedFields(std::span<const std::string_view> fields, TextCodec& codec) {
    std::vector<std::string> decoded(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        codec.appendUtf8(fields[i], decoded[i]);
    }
    return decoded;
}

Expected<Positions, std::string> findColumns(const std::vector<std::string>& header,
                                             std::span<const NamedColumn> columns,
                                             std::string_view missingColumns) {
    Positions positions(columns.size());
    for (std::size_t field = 0; field < header.size(); ++field) {
        const std::string name = asciiLowerCase(trimmed(header[field], kBlanks));
        for (std::size_t column = 0; column < columns.size(); ++column) {
            if (name != columns[column].english && name != columns[column].chinese) {
                continue;
            }
            if (auto placed = batch::placeColumn(positions[column], columns[column].english, field);
                !placed) {
                return unexpected(placed.error());
            }
        }
    }
    for (std::size_t column = 0; column < columns.size(); ++column) {
        if (columns[column].required && !positions[column]) {
            return unexpected(std::string{missingColumns});
        }
    }
    return positions;
}

}  // namespace

Expected<TableFile, std::string> TableFile::open(batch::CsvReader& reader, TextCodec& codec,
                                                 std::span<const NamedColumn> columns,
                                                 const TableDescription& description) {
    const std::string noun{description.noun};
    reader.chooseDelimiterBy([&codec, columns](std::span<const std::string_view> fields) {
        return findColumns(decodedFields(fields, codec), columns, {}).has_value();
    });
    CsvRecord record;
    if (!reader.next(record)) {
        return unexpected(noun + "是空的：第一行须是表头，如 " +
                          std::string{description.headerExample});
    }
    if (record.tooLong || !codec.isValid(record.text)) {
        return unexpected(noun + "的表头（第 " + std::to_string(record.line) + " 行）" +
                          (record.tooLong ? "超过 " + reader.largestRecordText()
                                          : "不是有效的 " + std::string{codec.name()} + " 文本") +
                          "，无法读取");
    }
    auto positions =
        findColumns(decodedFields(record.fields, codec), columns, description.missingColumns);
    if (!positions) {
        return unexpected(positions.error());
    }
    return TableFile{reader, codec, std::move(positions.value())};
}

bool TableFile::next(TableRecord& record) {
    CsvRecord read;
    while (reader_->next(read)) {
        const auto fields = decodedFields(read.fields, *codec_);
        if (!read.tooLong && std::all_of(fields.begin(), fields.end(),
                                         [](const std::string& f) { return isBlankText(f); })) {
            continue;
        }
        record.line = read.line;
        record.fields.clear();
        for (const auto& position : positions_) {
            record.fields.emplace_back(position && *position < fields.size() ? fields[*position]
                                                                             : std::string{});
        }
        record.unreadable.reset();
        if (read.tooLong) {
            record.unreadable = "这一记录超过 " + reader_->largestRecordText() + "，无法读取";
        } else if (!codec_->isValid(read.text)) {
            record.unreadable = "这一行不是有效的 " + std::string{codec_->name()} + " 文本";
        }
        return true;
    }
    return false;
}

}  // namespace orvanto::navigation
