// A batch file run in the page: the command line's reader, column mapping and row calculator over
// bytes in memory, the rows written as `orvanto-cli batch` writes them. Until the batch steps live
// in a library of their own, the run loop and the field quoting here follow the command line's
// (cli/batch_command.cpp, cli/block_writer.cpp); the page's tests compare both outputs byte for
// byte.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <variant>

#include "cli/batch_columns.h"
#include "cli/batch_error.h"
#include "cli/batch_row.h"
#include "cli/byte_source.h"
#include "cli/csv_reader.h"

namespace orvanto {
namespace {

using emscripten::val;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kResultColumns[] = {"km", "nmi", "angle", "error"};
// Progress is reported every so many rows: often enough for a smooth bar, seldom enough to cost
// nothing.
constexpr std::uint64_t kRowsPerProgress = 16384;

// The file's bytes, already in memory.
class MemorySource : public cli::ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(char* into, std::size_t capacity) override {
        const std::size_t count = std::min(capacity, bytes_.size() - position_);
        std::memcpy(into, bytes_.data() + position_, count);
        position_ += count;
        return count;
    }
    double fractionRead() const {
        return bytes_.empty() ? 1.0
                              : static_cast<double>(position_) / static_cast<double>(bytes_.size());
    }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// The output rows in the input's delimiter and line end, a field quoted the RFC 4180 way when it
// holds the delimiter, a quote, CR or LF.
class BatchOutput {
  public:
    std::string text;
    char delimiter = ',';
    std::string lineEnd = "\n";

    void field(std::string_view field) {
        const char specials[] = {delimiter, '"', '\r', '\n'};
        if (field.find_first_of(std::string_view{specials, sizeof specials}) ==
            std::string_view::npos) {
            text += field;
            return;
        }
        text += '"';
        for (const char c : field) {
            text += c == '"' ? "\"\"" : std::string_view{&c, 1};
        }
        text += '"';
    }
    // A row's own fields as read, padded to the header's width.
    void recordFields(const cli::CsvRecord& record, std::size_t width) {
        if (record.verbatim) {
            text += record.text;
        } else {
            for (std::size_t i = 0; i < record.fields.size(); ++i) {
                if (i > 0) {
                    text += delimiter;
                }
                field(record.fields[i]);
            }
        }
        text.append(width > record.fields.size() ? width - record.fields.size() : 0, delimiter);
    }
};

val bytesOf(const std::string& text) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(text.size(), text.data()))
        .call<val>("slice");
}

// `options`: {name, seconds: [bool, bool, bool], format: 'plain' | 'window', byteOrderMark}; the
// last puts a byte-order mark in front of the output (for a GB18030 file the page has decoded).
// Returns {bytes, rows, failedRows}, or {error} when the file cannot be read as a batch file.
val runBatch(const std::string& bytes, const val& options, const val& onProgress) {
    CalculatorInput modes;
    for (auto [index, point] :
         {std::pair{0, &modes.point1}, {1, &modes.point2}, {2, &modes.reference}}) {
        point->mode =
            options["seconds"][index].as<bool>() ? EntryMode::Seconds : EntryMode::Minutes;
    }
    const auto format = options["format"].as<std::string>() == "window" ? cli::NumberFormat::Window
                                                                        : cli::NumberFormat::Plain;
    val result = val::object();
    try {
        MemorySource source{bytes};
        cli::CsvReader reader{source};
        cli::CsvRecord record;
        if (!reader.next(record)) {
            throw cli::BatchError("“" + options["name"].as<std::string>() +
                                  "”是空的：第一行须是表头，如 lat1,lon1,lat2,lon2");
        }
        auto found = cli::findColumns(record.fields);
        if (const auto* problem = std::get_if<std::string>(&found)) {
            throw cli::BatchError(*problem);
        }
        const auto& columns = std::get<cli::BatchColumns>(found);
        BatchOutput output;
        output.delimiter = reader.delimiter();
        output.lineEnd = record.lineEnd.empty() ? "\n" : record.lineEnd;
        output.text.reserve(bytes.size() * 2);
        if (reader.hadByteOrderMark() || options["byteOrderMark"].as<bool>()) {
            output.text += kByteOrderMark;
        }
        output.recordFields(record, 0);
        for (const std::string_view name : kResultColumns) {
            output.text += output.delimiter;
            output.text += name;
        }
        output.text += output.lineEnd;

        cli::RowCalculator calculator{columns, modes, format, false};
        cli::RowResults results;
        std::uint64_t rows = 0;
        std::uint64_t failed = 0;
        while (reader.next(record)) {
            calculator.calculate(record.fields, results);
            output.recordFields(record, columns.width);
            for (const std::string* number :
                 {&results.kilometres, &results.nauticalMiles, &results.angle}) {
                output.text += output.delimiter;
                output.text += *number;
            }
            output.text += output.delimiter;
            output.field(results.error);
            output.text += output.lineEnd;
            ++rows;
            failed += results.error.empty() ? 0U : 1U;
            if (rows % kRowsPerProgress == 0) {
                onProgress(source.fractionRead());
            }
        }
        result.set("bytes", bytesOf(output.text));
        result.set("rows", static_cast<double>(rows));
        result.set("failedRows", static_cast<double>(failed));
    } catch (const cli::BatchError& error) {
        result.set("error", std::string{error.what()});
    }
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_batch) {
    emscripten::function("runBatch", &runBatch);
}

}  // namespace orvanto
