#include "batch/batch_run.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "text/code_points.h"

namespace orvanto::batch {

Expected<TextEncoding, UnreadableLine> detectInputEncoding(CsvReader& reader) {
    bool complete = false;
    return detectEncoding(reader.lookAhead(kDetectionWindow, complete), complete);
}

namespace {

// What to do to read the file in `encoding`, in the front end's words, else plainly.
std::string readAs(const FrontEndWords& words, std::string_view encoding) {
    return words.readAs != nullptr ? words.readAs(encoding)
                                   : "按 " + std::string{encoding} + " 读取";
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80U; });
}

}  // namespace

BatchRun::BatchRun(CsvReader& reader, TextCodec& input, BatchSettings settings)
    : reader_(reader), input_(input), settings_(std::move(settings)) {}

Expected<BatchColumns, std::string> BatchRun::readHeader() {
    reader_.chooseDelimiterBy([this](std::span<const std::string_view> fields) {
        // ASCII reads the same in every encoding here, and valid UTF-8 needs no decoding: most
        // headers are compared as they stand.
        const auto needsDecoding = [this](std::string_view field) {
            return !isAscii(field) && !(input_.isUtf8() && input_.isValid(field));
        };
        std::vector<std::string_view> names(fields.begin(), fields.end());
        std::vector<std::string> decoded;
        decoded.reserve(
            static_cast<std::size_t>(std::count_if(fields.begin(), fields.end(), needsDecoding)));
        for (std::string_view& name : names) {
            if (needsDecoding(name)) {
                input_.appendUtf8(name, decoded.emplace_back());
                name = decoded.back();
            }
        }
        return namesRequiredColumns(names);
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
                          "的表头含有空字节：文件像是不带 BOM 的 UTF-16 文本，请" +
                          readAs(settings_.words, "utf-16") + "再试");
    }
    if (!input_.isValid(header.text)) {
        std::string problem = lineText(header.line) + "不是有效的 " + std::string{input_.name()} +
                              " 文本，无法读取表头";
        if (input_.name() == "UTF-8") {
            problem += "。若文件是中文系统上的电子表格保存的，请" +
                       readAs(settings_.words, "gb18030") + "再试";
        }
        return unexpected(std::move(problem));
    }
    // Kept as copies: the reader's buffer moves on before the header is written.
    headerRaw_.reserve(header.fields.size());
    headerFields_.reserve(header.fields.size());
    for (const std::string_view field : header.fields) {
        headerRaw_.emplace_back(field);
        headerFields_.emplace_back();
        input_.appendUtf8(field, headerFields_.back());
    }
    format_.lineEnd = header.lineEnd.empty() ? "\n" : header.lineEnd;
    const std::vector<std::string_view> names(headerFields_.begin(), headerFields_.end());
    resultNames_ = resultColumns(settings_.extraColumns);
    auto found = findColumns(names, resultNames_, settings_.otherResultColumns);
    if (found) {
        format_.columns = found.value();
    }
    return found;
}

// The rows' shared format, the writer and the header, the same for a run in one go and in blocks.
void BatchRun::begin(ByteSink& sink, const BatchOutput& output) {
    format_.modes = settings_.modes;
    format_.defaultMode = settings_.words.defaultMode;
    format_.style = settings_.style;
    format_.providers = settings_.extraColumns;
    format_.extraColumns = resultNames_.size() - kPlainResultColumns;
    format_.delimiter = reader_.delimiter();
    format_.largestRecord = reader_.largestRecordText();
    format_.passThrough =
        (output.codec == &input_ || (output.codec->isUtf8() && input_.isUtf8())) &&
        !output.escapeControls;
    // What is written with a byte order mark is read as valid text: no stray byte may go out.
    format_.keepsBadBytes = !output.byteOrderMark;
    format_.escapesRaw = output.escapeControls && input_.isUtf8();
    format_.escapeControls = output.escapeControls;
    writer_.emplace(sink, format_.delimiter, format_.lineEnd, output.flushEachRow);
    if (output.byteOrderMark) {
        writer_->append(kUtf8ByteOrderMark);
    }
    RowWriter header{format_, {.input = input_, .output = *output.codec}};
    header.writeInto(*writer_);
    header.writeHeader(headerRaw_, headerFields_, resultNames_);
}

// Every row, in a frame that holds nothing to destroy and tries nothing (see RowWriter::write).
BatchCounts BatchRun::runRows(RowWriter& rows, CsvRecord& record,
                              const std::function<void(std::uint64_t)>& rowDone) {
    BatchCounts counts;
    const auto write = [&] {
        if (rows.write(record, counts)) {
            rowDone(counts.rows);
        }
    };
    for (;;) {
        std::size_t line = 0;
        std::string_view lines = reader_.takePlainLines(
            {.bytes = RecordBlock::kMostBytes, .lines = std::numeric_limits<std::size_t>::max()},
            line);
        if (!lines.empty()) {
            for (; !lines.empty(); ++line) {
                cutPlainLine(lines, reader_.delimiter(), line, record);
                write();
            }
        } else if (reader_.next(record)) {
            write();
        } else {
            return counts;
        }
    }
}

bool BatchRun::cutBlock(RecordBlock& block, std::size_t mostRecords) {
    block.clear();
    if (cutShort_) {
        std::rethrow_exception(std::exchange(cutShort_, nullptr));
    }
    try {
        std::size_t firstLine = 0;
        const std::string_view lines = reader_.takePlainLines(
            {.bytes = RecordBlock::kMostBytes, .lines = mostRecords}, firstLine);
        if (!lines.empty()) {
            block.takeLines(lines, firstLine, reader_.delimiter());
        }
        while (!block.full(mostRecords) && reader_.next(record_)) {
            block.add(record_);
        }
    } catch (...) {
        // The records before the failure are written first, as run() writes them.
        if (block.empty()) {
            throw;
        }
        cutShort_ = std::current_exception();
    }
    return !block.empty();
}

BatchCounts BatchRun::writeBlock(const ComputedBlock& block) {
    writer_->appendRows(block.rows.gathered(), block.rowEnds);
    counts_.rows += block.counts.rows;
    counts_.failed += block.counts.failed;
    return counts_;
}

BatchCounts BatchRun::finish() {
    writer_->flush();
    writer_.reset();
    return counts_;
}

BatchCounts BatchRun::run(ByteSink& sink, const BatchOutput& output,
                          const std::function<void(std::uint64_t)>& rowDone) {
    begin(sink, output);
    RowWriter rows{format_, {.input = input_, .output = *output.codec}};
    rows.writeInto(*writer_);
    CsvRecord record;
    counts_ = runRows(rows, record, rowDone);
    return finish();
}

}  // namespace orvanto::batch
