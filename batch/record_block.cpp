#include "batch/record_block.h"

#include <algorithm>
#include <string_view>

namespace orvanto::batch {

void RecordBlock::clear() {
    lines_ = false;
    bytes_.clear();
    fieldsUsed_ = 0;
    entries_.clear();
}

void RecordBlock::takeLines(std::string_view lines, std::size_t firstLine, char delimiter) {
    lines_ = true;
    firstLine_ = firstLine;
    delimiter_ = delimiter;
    bytes_.assign(lines);
}

// Every record not on a plain line comes through here and recordAt, so each
// container grows once a record, not once a field.
void RecordBlock::add(const CsvRecord& record) {
    const std::size_t textAt = bytes_.size();
    const std::size_t firstField = fieldsUsed_;
    entries_.push_back({.line = record.line,
                        .textAt = textAt,
                        .textSize = static_cast<std::uint32_t>(record.text.size()),
                        .firstField = static_cast<std::uint32_t>(firstField),
                        .fieldCount = static_cast<std::uint32_t>(record.fields.size()),
                        .lineEndSize = static_cast<std::uint8_t>(record.lineEnd.size()),
                        .verbatim = record.verbatim,
                        .tooLong = record.tooLong});
    bytes_.append(record.text).append(record.lineEnd);
    fieldsUsed_ += record.fields.size();
    if (fields_.size() < fieldsUsed_) {
        fields_.resize(std::max(2 * fields_.size(), fieldsUsed_));
    }
    FieldSpan* span = fields_.data() + firstField;
    for (const std::string_view field : record.fields) {
        // A field of a record without quotes is a piece of its text; a quoted one is kept as the
        // reader unquoted it.
        if (record.verbatim) {
            *span++ = {static_cast<std::uint32_t>(field.data() - record.text.data()),
                       static_cast<std::uint32_t>(field.size())};
        } else {
            *span++ = {static_cast<std::uint32_t>(bytes_.size() - textAt),
                       static_cast<std::uint32_t>(field.size())};
            bytes_ += field;
        }
    }
}

void RecordBlock::recordAt(std::size_t index, CsvRecord& record) const {
    const Entry& entry = entries_[index];
    const char* const bytes = bytes_.data() + entry.textAt;
    record.text = {bytes, entry.textSize};
    record.lineEnd = {bytes + entry.textSize, entry.lineEndSize};
    record.line = entry.line;
    record.verbatim = entry.verbatim;
    record.tooLong = entry.tooLong;
    record.fields.resize(entry.fieldCount);
    const FieldSpan* span = fields_.data() + entry.firstField;
    for (std::string_view& field : record.fields) {
        field = {bytes + span->at, span->size};
        ++span;
    }
}

}  // namespace orvanto::batch
