#include "passage/table_file.h"

#include <algorithm>

#include "batch/batch_columns.h"
#include "text/ascii_case.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto::passage {
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

// How many fields there are up to the last one that is not blank.
std::size_t filledFields(const std::vector<std::string>& fields) {
    const auto last = std::find_if(fields.rbegin(), fields.rend(),
                                   [](const std::string& field) { return !isBlankText(field); });
    return static_cast<std::size_t>(fields.rend() - last);
}

}  // namespace

std::optional<std::string> TableFile::misfit(const std::vector<std::string>& fields) const {
    const std::size_t filled = filledFields(fields);
    // Built only for a row that does not fit: most rows do.
    const auto counts = [&] {
        return "这一行有 " + std::to_string(filled) + " 个字段，表头有 " +
               std::to_string(headerFields_) + " 个";
    };
    if (filled > headerFields_) {
        return counts() + (filled == headerFields_ + 1
                               ? "，多了 1 个：可能是小数点写成了逗号（如 3100,5），请改用小数点“.”"
                               : "，多了 " + std::to_string(filled - headerFields_) +
                                     " 个，无法确定各字段属于哪一列");
    }
    std::string missing;
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        if (columns_[column].required && *positions_[column] >= fields.size()) {
            missing += (missing.empty() ? "" : "、") + std::string{columns_[column].chinese};
        }
    }
    if (!missing.empty()) {
        return counts() + "，缺少" + missing;
    }
    return std::nullopt;
}

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
    const std::vector<std::string> header = decodedFields(record.fields, codec);
    auto positions = findColumns(header, columns, description.missingColumns);
    if (!positions) {
        return unexpected(positions.error());
    }
    return TableFile{reader, codec, columns, std::move(positions.value()), filledFields(header)};
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
        } else {
            record.unreadable = misfit(fields);
        }
        return true;
    }
    return false;
}

}  // namespace orvanto::passage
