#include "batch/batch_run.h"

#include <algorithm>
#include <variant>

#include "batch/batch_row.h"
#include "batch/block_writer.h"
#include "batch/input_output_error.h"
#include "text/code_points.h"
#include "text/printable.h"

namespace orvanto::batch {
namespace {

std::string lineText(std::size_t line) {
    return "第 " + std::to_string(line) + " 行";
}

void addError(std::string& error, std::string_view message) {
    error += error.empty() ? "" : kMessageSeparator;
    error += message;
}

}  // namespace

Expected<TextEncoding, std::string> detectInputEncoding(CsvReader& reader) {
    bool complete = false;
    const auto found = detectEncoding(reader.lookAhead(kDetectionWindow, complete), complete);
    if (!found) {
        return unexpected("无法确定输入的编码：" + lineText(found.error().line) +
                          "既不是有效的 UTF-8 文本，也不是有效的 GB18030 文本；"
                          "可用 --encoding=utf-8、--encoding=gb18030 或 --encoding=utf-16 指定");
    }
    return found.value();
}

BatchRun::BatchRun(CsvReader& reader, TextCodec& input, BatchSettings settings)
    : reader_(reader), input_(input), settings_(std::move(settings)) {}

Expected<BatchColumns, std::string> BatchRun::readHeader() {
    reader_.chooseDelimiterBy([this](std::span<const std::string_view> fields) {
        std::vector<std::string> decoded(fields.size());
        for (std::size_t i = 0; i < fields.size(); ++i) {
            input_.appendUtf8(fields[i], decoded[i]);
        }
        return namesRequiredColumns(std::vector<std::string_view>(decoded.begin(), decoded.end()));
    });
    CsvRecord header;
    if (!reader_.next(header)) {
        return unexpected(settings_.inputName + "是空的：第一行须是表头，如 lat1,lon1,lat2,lon2");
    }
    if (header.tooLong) {
        return unexpected(lineText(header.line) + "的表头超过 " + reader_.largestRecordText() +
                          "，无法读取");
    }
    if (header.text.find('\0') != std::string_view::npos) {
        // What UTF-16 without a byte order mark looks like read byte by byte.
        return unexpected(lineText(header.line) +
                          "的表头含有空字节：文件像是不带 BOM 的 UTF-16 文本，"
                          "请加上 --encoding=utf-16 再试");
    }
    if (!input_.isValid(header.text)) {
        std::string problem = lineText(header.line) + "不是有效的 " + std::string{input_.name()} +
                              " 文本，无法读取表头";
        if (input_.name() == "UTF-8") {
            problem += "。若文件是中文系统上的电子表格保存的，请加上 --encoding=gb18030 再试";
        }
        return unexpected(std::move(problem));
    }
    // Kept as copies: the reader's buffer moves on before the header is written.
    for (const std::string_view field : header.fields) {
        headerRaw_.emplace_back(field);
        headerFields_.emplace_back();
        input_.appendUtf8(field, headerFields_.back());
    }
    lineEnd_ = header.lineEnd.empty() ? "\n" : header.lineEnd;
    const std::vector<std::string_view> names(headerFields_.begin(), headerFields_.end());
    resultNames_ = resultColumns(settings_.extraColumns);
    auto found = findColumns(names, resultNames_, settings_.otherResultColumns);
    if (found) {
        columns_ = found.value();
    }
    return found;
}

// UTF-8 input that reads needs no copy; anything else is decoded field by field, U+FFFD standing
// for the bytes that do not read.
void BatchRun::decodeFields(const CsvRecord& record, bool valid) {
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

void BatchRun::putField(FieldText field) {
    if (passThrough_) {
        writer_->appendField(field.raw);
    } else if (escapesRaw_) {
        // A terminal shows a UTF-8 field's stray bytes written out (\xFF), not replaced.
        writer_->appendField(encoded(field.raw));
    } else {
        writer_->appendField(encoded(field.utf8));
    }
}

// UTF-8 text in the output's encoding, written out for a terminal.
std::string_view BatchRun::encoded(std::string_view utf8) {
    if (output_.escapeControls) {
        escaped_ = printable(utf8);
        utf8 = escaped_;
    }
    if (output_.codec->isUtf8()) {
        return utf8;
    }
    scratch_.clear();
    output_.codec->appendEncoded(utf8, scratch_);
    return scratch_;
}

// A record's bytes as they stand, delimiters and quotes included.
void BatchRun::putText(std::string_view raw) {
    if (passThrough_) {
        writer_->append(raw);
        return;
    }
    std::string utf8;
    input_.appendUtf8(raw, utf8);
    writer_->append(encoded(utf8));
}

// The record's first `count` fields, padded with empty ones to `count`.
void BatchRun::putRecord(const CsvRecord& record, std::size_t count) {
    if (passThrough_ && record.verbatim && record.fields.size() <= count) {
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
void BatchRun::unreadRecord(CsvRecord& record, RowResults& results) const {
    results = RowResults{};
    if (record.tooLong) {
        results.error = lineText(record.line) + "起的一条记录超过 " + reader_.largestRecordText() +
                        "，已跳过，未计算";
        return;
    }
    results.error =
        lineText(record.line) + "不是有效的 " + std::string{input_.name()} + " 文本，本行未计算";
    if (passThrough_ && !keepsBadBytes_) {
        record.fields.assign(fields_.begin(), fields_.end());
        record.verbatim = false;
    }
    if (!(passThrough_ && keepsBadBytes_) && !escapesRaw_) {
        results.error += "；无法解码的字节在输出中写作 U+FFFD";
    }
}

void BatchRun::longRowError(const CsvRecord& record, RowResults& results) const {
    addError(results.error, "本行有 " + std::to_string(record.fields.size()) +
                                " 个字段，比表头多 " +
                                std::to_string(record.fields.size() - columns_.headerWidth) +
                                " 个：多出的字段移到了结果列之后");
}

// Every row, in a frame that holds nothing to destroy and tries nothing: in the browser build a
// call that may throw from a frame that cleans up goes through JavaScript, and a row makes a
// dozen such calls here. The rare messages are built in functions of their own for that reason.
BatchCounts BatchRun::runRows(RowCalculator& calculator, RowResults& results, CsvRecord& record,
                              const std::function<void(std::uint64_t)>& rowDone) {
    BlockWriter& writer = *writer_;
    const std::size_t extraColumns = resultNames_.size() - kPlainResultColumns;
    BatchCounts counts;
    while (reader_.next(record)) {
        const bool valid = record.tooLong || input_.isValid(record.text);
        decodeFields(record, valid);
        if (!record.tooLong && isBlankRecord(fields_)) {
            putText(record.text);
            writer.endRow();
            continue;
        }
        if (record.tooLong || !valid) {
            unreadRecord(record, results);
        } else {
            calculator.calculate(fields_, results);
        }
        if (record.fields.size() > columns_.headerWidth) {
            longRowError(record, results);
        }
        putRecord(record, columns_.width);
        for (const std::string* number :
             {&results.kilometres, &results.nauticalMiles, &results.angle}) {
            writer.appendDelimiter();
            writer.append(*number);
        }
        writer.appendDelimiter();
        writer.appendField(encoded(results.error));
        // An unread record has no extra fields at all: their columns stay empty.
        for (std::size_t i = 0; i < extraColumns; ++i) {
            writer.appendDelimiter();
            if (i < results.extra.size()) {
                writer.append(results.extra[i]);
            }
        }
        for (std::size_t i = columns_.headerWidth; i < record.fields.size(); ++i) {
            writer.appendDelimiter();
            putField({.raw = record.fields[i], .utf8 = fields_[i]});
        }
        writer.endRow();
        ++counts.rows;
        counts.failed += results.error.empty() ? 0U : 1U;
        rowDone(counts.rows);
    }
    return counts;
}

BatchCounts BatchRun::run(ByteSink& sink, const BatchOutput& output,
                          const std::function<void(std::uint64_t)>& rowDone) {
    BlockWriter writer{sink, reader_.delimiter(), lineEnd_, output.flushEachRow};
    writer_ = &writer;
    output_ = output;
    passThrough_ = (output.codec == &input_ || (output.codec->isUtf8() && input_.isUtf8())) &&
                   !output.escapeControls;
    // What is written with a byte order mark is read as valid text: no stray byte may go out.
    keepsBadBytes_ = !output.byteOrderMark;
    escapesRaw_ = output.escapeControls && input_.isUtf8();
    if (output.byteOrderMark) {
        writer.append(kUtf8ByteOrderMark);
    }
    for (std::size_t i = 0; i < columns_.width; ++i) {
        if (i > 0) {
            writer.appendDelimiter();
        }
        putField({.raw = headerRaw_[i], .utf8 = headerFields_[i]});
    }
    for (const std::string_view name : resultNames_) {
        writer.appendDelimiter();
        writer.append(name);
    }
    writer.endRow();

    RowCalculator calculator{columns_, settings_.modes, settings_.style, settings_.extraColumns};
    RowResults results;
    CsvRecord record;
    const BatchCounts counts = runRows(calculator, results, record, rowDone);
    writer.flush();
    writer_ = nullptr;
    return counts;
}

}  // namespace orvanto::batch
