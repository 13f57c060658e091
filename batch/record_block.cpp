#include "batch/record_block.h"

#include <string_view>

namespace orvanto::batch {

void RecordBlock::clear() {
    bytes_.clear();
    fields_.clear();
    entries_.clear();
}

void RecordBlock::add(const CsvRecord& record) {
    Entry& entry = entries_.emplace_back();
    entry.line = record.line;
    entry.textAt = bytes_.size();
    entry.textSize = static_cast<std::uint32_t>(record.text.size());
    entry.firstField = static_cast<std::uint32_t>(fields_.size());
    entry.fieldCount = static_cast<std::uint32_t>(record.fields.size());
    entry.lineEndSize = static_cast<std::uint8_t>(record.lineEnd.size());
    entry.verbatim = record.verbatim;
    entry.tooLong = record.tooLong;
    bytes_ += record.text;
    bytes_ += record.lineEnd;
    for (const std::string_view field : record.fields) {
        // A field of a record without quotes is a piece of its text; a quoted one is kept as the
        // reader unquoted it.
        if (record.verbatim) {
            fields_.push_back({static_cast<std::uint32_t>(field.data() - record.text.data()),
                               static_cast<std::uint32_t>(field.size())});
        } else {
            fields_.push_back({static_cast<std::uint32_t>(bytes_.size() - entry.textAt),
                               static_cast<std::uint32_t>(field.size())});
            bytes_ += field;
        }
    }
}

void RecordBlock::recordAt(std::size_t index, CsvRecord& record) const {
    const Entry& entry = entries_[index];
    const std::string_view bytes = std::string_view{bytes_}.substr(entry.textAt);
    record.text = bytes.substr(0, entry.textSize);
    record.lineEnd = bytes.substr(entry.textSize, entry.lineEndSize);
    record.line = entry.line;
    record.verbatim = entry.verbatim;
    record.tooLong = entry.tooLong;
    record.fields.clear();
    for (std::size_t i = entry.firstField; i < entry.firstField + entry.fieldCount; ++i) {
        record.fields.push_back(bytes.substr(fields_[i].at, fields_[i].size));
    }
}

}  // namespace orvanto::batch
