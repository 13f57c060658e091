// A batch file run in the page: the batch library's own run over bytes in memory, so that the
// download is byte for byte what `orvanto-cli batch` writes. The page hands it UTF-8 only: a
// GB18030 file is decoded by the browser first and written back as UTF-8 with a byte-order mark,
// since a browser can read GB18030 but not write it.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <string_view>
#include <variant>

#include "batch/batch_error.h"
#include "batch/batch_run.h"
#include "batch/csv_reader.h"
#include "batch/memory_streams.h"
#include "batch/text_encoding.h"

namespace orvanto {
namespace {

using emscripten::val;

// Progress is reported every so many rows: often enough for a smooth bar, seldom enough to cost
// nothing.
constexpr std::uint64_t kRowsPerProgress = 16384;

// The file's bytes, counting how far the run has read them for the progress bar.
class CountingSource final : public batch::ByteSource {
  public:
    explicit CountingSource(std::string_view bytes) : bytes_(bytes), source_(bytes) {}
    std::size_t read(char* into, std::size_t capacity) override {
        const std::size_t count = source_.read(into, capacity);
        read_ += count;
        return count;
    }
    double fractionRead() const {
        return bytes_.empty() ? 1.0
                              : static_cast<double>(read_) / static_cast<double>(bytes_.size());
    }

  private:
    std::string_view bytes_;
    batch::MemorySource source_;
    std::size_t read_ = 0;
};

val bytesOf(const std::string& text) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(text.size(), text.data()))
        .call<val>("slice");
}

// The encoding the command line's `auto` finds: {encoding: 'utf-8' | 'gb18030'}, or {line} for the
// first line neither encoding reads.
val detectBatchEncoding(const std::string& bytes) {
    batch::MemorySource source{bytes};
    batch::CsvReader reader{source};
    bool complete = false;
    const auto found =
        batch::detectEncoding(reader.lookAhead(batch::kDetectionWindow, complete), complete);
    val result = val::object();
    if (const auto* bad = std::get_if<batch::UnreadableLine>(&found)) {
        result.set("line", static_cast<double>(bad->line));
    } else {
        const bool gb18030 = std::get<batch::TextEncoding>(found) == batch::TextEncoding::Gb18030;
        result.set("encoding", std::string{gb18030 ? "gb18030" : "utf-8"});
    }
    return result;
}

// UTF-8 `bytes`; `options`: {name, seconds: [bool, bool, bool], format: 'plain' | 'window',
// byteOrderMark}, the last for a byte-order mark in front of the output whether or not the input
// has one. Returns {bytes, rows, failedRows}, or {error} when the file cannot be run.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): JavaScript values in the worker's order
val runBatch(const std::string& bytes, const val& options, const val& onProgress) {
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
    val result = val::object();
    try {
        CountingSource source{bytes};
        batch::CsvReader reader{source};
        batch::Utf8Codec utf8;
        batch::BatchRun run{reader, utf8, std::move(settings)};
        const auto header = run.readHeader();
        if (!header) {
            result.set("error", header.error());
            return result;
        }
        batch::StringSink sink;
        const batch::BatchOutput output{
            .codec = &utf8,
            .byteOrderMark = options["byteOrderMark"].as<bool>() || run.hadByteOrderMark()};
        const batch::BatchCounts counts = run.run(sink, output, [&](std::uint64_t rows) {
            if (rows % kRowsPerProgress == 0) {
                onProgress(source.fractionRead());
            }
        });
        result.set("bytes", bytesOf(sink.text()));
        result.set("rows", static_cast<double>(counts.rows));
        result.set("failedRows", static_cast<double>(counts.failed));
    } catch (const batch::BatchError& error) {
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
