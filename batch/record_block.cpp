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
    entry.textSize = record.text.size();
    entry.lineEndSize = static_cast<std::uint8_t>(record.lineEnd.size());
    entry.verbatim = record.verbatim;
    entry.tooLong = record.tooLong;
    bytes_ += record.text;
    bytes_ += record.lineEnd;
    if (record.verbatim) {
        return;
    }
    // Quoted fields are not the text cut at the delimiter: each is kept as the reader unquoted it.
    entry.firstField = static_cast<std::uint32_t>(fields_.size());
    entry.fieldCount = static_cast<std::uint32_t>(record.fields.size());
    for (const std::string_view field : record.fields) {
        fields_.push_back({bytes_.size(), field.size()});
        bytes_ += field;
    }
}

void RecordBlock::recordAt(std::size_t index, char delimiter, CsvRecord& record) const {
    const Entry& entry = entries_[index];
    const std::string_view bytes = bytes_;
    record.text = bytes.substr(entry.textAt, entry.textSize);
    record.lineEnd = bytes.substr(entry.textAt + entry.textSize, entry.lineEndSize);
    record.line = entry.line;
    record.verbatim = entry.verbatim;
    record.tooLong = entry.tooLong;
    record.fields.clear();
    if (!entry.verbatim) {
        for (std::size_t i = entry.firstField; i < entry.firstField + entry.fieldCount; ++i) {
            record.fields.push_back(bytes.substr(fields_[i].at, fields_[i].size));
        }
        return;
    }
    const std::string_view text = record.text;
    for (std::size_t start = 0;;) {
        const std::size_t cut = text.find(delimiter, start);
        record.fields.push_back(text.substr(start, cut - start));
        if (cut == std::string_view::npos) {
            return;
        }
        start = cut + 1;
    }
}

}  // namespace orvanto::batch
