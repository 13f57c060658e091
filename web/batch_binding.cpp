// A batch file run in the page: the batch library's own run over bytes the worker hands in a block
// at a time, so that the download is byte for byte what `orvanto-cli batch` writes. The page hands
// it UTF-8 only: a GB18030 file is decoded by the browser first and written back as UTF-8 with a
// byte-order mark, since a browser can read GB18030 but not write it.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "batch/batch_run.h"
#include "batch/csv_reader.h"
#include "batch/input_output_error.h"
#include "batch/text_encoding.h"
#include "passage/column_providers.h"
#include "text/ascii_case.h"

namespace orvanto {
namespace {

using emscripten::val;

// The file's bytes from JavaScript: `read(count)` gives the next at most `count` bytes as a
// Uint8Array, an empty one at the end. A worker reads them from the file itself, so that the file
// is never held whole in the module's memory nor copied into it byte by byte.
class ScriptSource final : public batch::ByteSource {
  public:
    explicit ScriptSource(val read) : read_(std::move(read)) {}
    std::size_t read(char* into, std::size_t capacity) override {
        const val block = read_(static_cast<double>(capacity));
        const std::size_t count = std::min(block["length"].as<std::size_t>(), capacity);
        val{emscripten::typed_memory_view(count, into)}.call<void>("set", block);
        return count;
    }

  private:
    val read_;
};

// The output to JavaScript a block at a time: `write(view)` must copy the view, whose bytes the run
// writes over next.
class ScriptSink final : public batch::ByteSink {
  public:
    explicit ScriptSink(val write) : write_(std::move(write)) {}
    void write(std::string_view bytes) override {
        write_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
    }

  private:
    val write_;
};

// The encoding the command line's `auto` finds: {encoding: 'utf-8' | 'gb18030'}, or {line} for the
// first line neither encoding reads.
val detectBatchEncoding(const val& read) {
    ScriptSource source{read};
    batch::CsvReader reader{source};
    bool complete = false;
    const auto found =
        batch::detectEncoding(reader.lookAhead(batch::kDetectionWindow, complete), complete);
    val result = val::object();
    if (!found) {
        result.set("line", static_cast<double>(found.error().line));
    } else {
        const bool gb18030 = found.value() == batch::TextEncoding::Gb18030;
        result.set("encoding", std::string{gb18030 ? "gb18030" : "utf-8"});
    }
    return result;
}

// UTF-8 bytes from `read` to `write`, as ScriptSource and ScriptSink take them; `options`: {name,
// seconds: [bool, bool, bool], format: 'plain' | 'window', geodesic, navigation, byteOrderMark}:
// geodesic and navigation add the command line's --geodesic and --navigation columns, and
// byteOrderMark puts a byte-order mark in front of the output whether or not the input has one.
// Returns {rows, failedRows}, or {error} when the file cannot be run.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): JavaScript values in the worker's order
val runBatch(const val& read, const val& write, const val& options) {
    batch::BatchSettings settings;
    for (auto [index, point] : {std::pair{0, &settings.modes.point1},
                                {1, &settings.modes.point2},
                                {2, &settings.modes.reference}}) {
        point->mode =
            options["seconds"][index].as<bool>() ? EntryMode::Seconds : EntryMode::Minutes;
    }
    settings.style =
        options["format"].as<std::string>() == "window" ? NumberStyle::Window : NumberStyle::Plain;
    settings.inputName = "“" + options["name"].as<std::string>() + "”";
    const passage::GeodesicColumns geodesic{settings.style};
    const passage::CourseColumns courses{navigation::CompassCorrection{}};
    if (options["geodesic"].as<bool>()) {
        settings.extraColumns.push_back(&geodesic);
    }
    if (options["navigation"].as<bool>()) {
        settings.extraColumns.push_back(&courses);
    }
    settings.otherResultColumns = passage::everyExtraColumn();
    settings.words = {[](std::string_view encoding) {
                          return "在“文件编码”中选定 " + asciiUpperCase(encoding) + " ";
                      },
                      "“默认按‘秒’格式读取”的勾选"};
    val result = val::object();
    try {
        ScriptSource source{read};
        batch::CsvReader reader{source};
        batch::Utf8Codec utf8;
        batch::BatchRun run{reader, utf8, std::move(settings)};
        const auto header = run.readHeader();
        if (!header) {
            result.set("error", header.error());
            return result;
        }
        ScriptSink sink{write};
        const batch::BatchOutput output{
            .codec = &utf8,
            .byteOrderMark = options["byteOrderMark"].as<bool>() || run.hadByteOrderMark()};
        // The worker tells the progress by the bytes it has handed in.
        const batch::BatchCounts counts = run.run(sink, output, [](std::uint64_t) {});
        result.set("rows", static_cast<double>(counts.rows));
        result.set("failedRows", static_cast<double>(counts.failed));
    } catch (const batch::InputOutputError& error) {
        result.set("error", std::string{error.what()});
    }
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_batch) {
    emscripten::function("detectBatchEncoding", &detectBatchEncoding);
    emscripten::function("runBatch", &runBatch);
}

}  // namespace orvanto
