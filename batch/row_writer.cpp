#include "batch/row_writer.h"

#include <algorithm>

#include "text/code_points.h"
#include "text/printable.h"

namespace orvanto::batch {
namespace {

void addError(std::string& error, std::string_view message) {
    error += error.empty() ? "" : kMessageSeparator;
    error += message;
}

}  // namespace

RowWriter::RowWriter(const RowFormat& format, RowCodecs codecs)
    : format_(format),
      input_(codecs.input),
      output_(codecs.output),
      calculator_(format_.columns, {format_.modes, format_.defaultMode}, format_.style,
                  format_.providers) {}

void RowWriter::writeHeader(std::span<const std::string> raw, std::span<const std::string> utf8,
                            std::span<const std::string_view> resultNames) {
    for (std::size_t i = 0; i < format_.columns.width; ++i) {
        if (i > 0) {
            writer_->appendDelimiter();
        }
        putField({.raw = raw[i], .utf8 = utf8[i]});
    }
    for (const std::string_view name : resultNames) {
        writer_->appendDelimiter();
        writer_->append(name);
    }
    writer_->endRow();
}

// UTF-8 input that reads needs no copy; anything else is decoded field by field, U+FFFD standing
// for the bytes that do not read.
void RowWriter::decodeFields(const CsvRecord& record, bool valid) {
    fields_.assign(record.fields.begin(), record.fields.end());
    if (valid && input_.isUtf8()) {
        return;
    }
    decoded_.resize(std::max(decoded_.size(), fields_.size()));
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        decoded_[i].clear();
        input_.appendUtf8(fields_[i], decoded_[i]);
        fields_[i] = decoded_[i];
    }
}

void RowWriter::putField(FieldText field) {
    if (format_.passThrough) {
        writer_->appendField(field.raw);
    } else if (format_.escapesRaw) {
        // A terminal shows a UTF-8 field's stray bytes written out (\xFF), not replaced.
        writer_->appendField(encoded(field.raw));
    } else {
        writer_->appendField(encoded(field.utf8));
    }
}

// UTF-8 text in the output's encoding, written out for a terminal.
std::string_view RowWriter::encoded(std::string_view utf8) {
    if (format_.escapeControls) {
        escaped_ = printable(utf8);
        utf8 = escaped_;
    }
    if (output_.isUtf8()) {
        return utf8;
    }
    scratch_.clear();
    output_.appendEncoded(utf8, scratch_);
    return scratch_;
}

// A record's bytes as they stand, delimiters and quotes included.
void RowWriter::putText(std::string_view raw) {
    if (format_.passThrough) {
        writer_->append(raw);
        return;
    }
    std::string utf8;
    input_.appendUtf8(raw, utf8);
    writer_->append(encoded(utf8));
}

// The record's first `count` fields, padded with empty ones to `count`.
void RowWriter::putRecord(const CsvRecord& record, std::size_t count) {
    if (format_.passThrough && record.verbatim && record.fields.size() <= count) {
        writer_->append(record.text);
    } else {
        for (std::size_t i = 0; i < std::min(count, record.fields.size()); ++i) {
            if (i > 0) {
                writer_->appendDelimiter();
            }
            putField({.raw = record.fields[i], .utf8 = fields_[i]});
        }
    }
    for (std::size_t i = std::min(count, record.fields.size()) + (record.fields.empty() ? 1 : 0);
         i < count; ++i) {
        writer_->appendDelimiter();
    }
}

// The error of a record that is not computed: too long for the buffer, or not in its encoding.
// Where the output may not carry its stray bytes, the record's fields become their decoded texts.
void RowWriter::unreadRecord(CsvRecord& record) {
    results_ = RowResults{};
    if (record.tooLong) {
        results_.error = lineText(record.line) + "起的一条记录超过 " + format_.largestRecord +
                         "，已跳过，未计算";
        return;
    }
    results_.error =
        lineText(record.line) + "不是有效的 " + std::string{input_.name()} + " 文本，本行未计算";
    if (format_.passThrough && !format_.keepsBadBytes) {
        record.fields.assign(fields_.begin(), fields_.end());
        record.verbatim = false;
    }
    if (!(format_.passThrough && format_.keepsBadBytes) && !format_.escapesRaw) {
        results_.error += "；无法解码的字节在输出中写作 U+FFFD";
    }
}

void RowWriter::longRowError(const CsvRecord& record) {
    addError(results_.error,
             "本行有 " + std::to_string(record.fields.size()) + " 个字段，比表头多 " +
                 std::to_string(record.fields.size() - format_.columns.headerWidth) +
                 " 个：多出的字段移到了结果列之后");
}

// A frame that holds nothing to destroy and tries nothing: in the browser build a call that may
// throw from a frame that cleans up goes through JavaScript, and a row makes a dozen such calls
// here. The rare messages are built in functions of their own for that reason.
bool RowWriter::write(CsvRecord& record, BatchCounts& counts) {
    const bool valid = record.tooLong || input_.isValid(record.text);
    decodeFields(record, valid);
    if (!record.tooLong && isBlankRecord(fields_)) {
        putText(record.text);
        writer_->endRow();
        return false;
    }
    if (record.tooLong || !valid) {
        unreadRecord(record);
    } else {
        calculator_.calculate(fields_, results_);
    }
    const std::size_t headerWidth = format_.columns.headerWidth;
    if (record.fields.size() > headerWidth) {
        longRowError(record);
    }
    putRecord(record, format_.columns.width);
    for (const std::string* number :
         {&results_.kilometres, &results_.nauticalMiles, &results_.angle}) {
        writer_->appendDelimiter();
        writer_->append(*number);
    }
    writer_->appendDelimiter();
    writer_->appendField(encoded(results_.error));
    // An unread record has no extra fields at all: their columns stay empty.
    for (std::size_t i = 0; i < format_.extraColumns; ++i) {
        writer_->appendDelimiter();
        if (i < results_.extra.size()) {
            writer_->append(results_.extra[i]);
        }
    }
    for (std::size_t i = headerWidth; i < record.fields.size(); ++i) {
        writer_->appendDelimiter();
        putField({.raw = record.fields[i], .utf8 = fields_[i]});
    }
    writer_->endRow();
    ++counts.rows;
    counts.failed += results_.error.empty() ? 0U : 1U;
    return true;
}

}  // namespace orvanto::batch
