// A batch file through a whole run, from the reader to the written rows: the first byte picks the
// size of each read (so that records straddle buffer refills), GB18030 or UTF-8, and the geodesic
// columns; the rest is the file. The run ends, or stops with a InputOutputError. Run again in
// blocks of 1 to 8 records (the second byte), it must write the same bytes and stop alike.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "batch/batch_run.h"
#include "batch/csv_reader.h"
#include "batch/input_output_error.h"
#include "batch/memory_streams.h"
#include "cli/gb18030_codec.h"
#include "passage/column_providers.h"

namespace {

// What the run writes, then "!" and the message when it stops; with `mostRecords`, in blocks.
std::string runOnce(std::string_view file, std::uint8_t choices, std::size_t mostRecords) {
    orvanto::batch::MemorySource source(file, orvanto::batch::kMinimumRead + (choices & 0x3FU));
    orvanto::batch::Utf8Codec utf8;
    orvanto::batch::StringSink sink;
    try {
        // Opened once, as orvanto-cli opens it once a run: opening iconv's converters costs more
        // than a small file's rows. GB18030 keeps no state from one conversion to the next.
        static orvanto::cli::Gb18030Codec gb18030;
        orvanto::batch::TextCodec& codec =
            (choices & 0x80U) != 0 ? static_cast<orvanto::batch::TextCodec&>(gb18030) : utf8;
        orvanto::batch::CsvReader reader(source, 192);
        orvanto::batch::BatchSettings settings;
        settings.inputName = "fuzz";
        const orvanto::passage::GeodesicColumns geodesic{orvanto::NumberStyle::Plain};
        const orvanto::passage::CourseColumns courses{{}};
        if ((choices & 0x40U) != 0) {
            settings.extraColumns = {&geodesic, &courses};
        }
        orvanto::batch::BatchRun run(reader, codec, std::move(settings));
        if (!run.readHeader()) {
            return "header";
        }
        const orvanto::batch::BatchOutput output{.codec = &utf8};
        if (mostRecords == 0) {
            run.run(sink, output, [](std::uint64_t) {});
            return sink.text();
        }
        run.begin(sink, output);
        orvanto::batch::BlockComputer computer(run.rowFormat(), {.input = codec, .output = utf8});
        orvanto::batch::RecordBlock block;
        orvanto::batch::ComputedBlock computed{run.rowFormat()};
        while (run.cutBlock(block, mostRecords)) {
            computer.compute(block, computed);
            run.writeBlock(computed);
        }
        run.finish();
    } catch (const orvanto::batch::InputOutputError& error) {
        return sink.text() + "!" + error.what();
    }
    return sink.text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string_view file{reinterpret_cast<const char*>(data) + 2, size - 2};
    if (runOnce(file, data[0], 0) != runOnce(file, data[0], 1 + (data[1] & 7U))) {
        std::abort();
    }
    return 0;
}
