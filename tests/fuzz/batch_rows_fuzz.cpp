// A batch file through a whole run, from the reader to the written rows: the first byte picks the
// size of each read (so that records straddle buffer refills), GB18030 or UTF-8, and the geodesic
// columns; the rest is the file. The run ends, or stops with a InputOutputError.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>

#include "batch/batch_run.h"
#include "batch/byte_source.h"
#include "batch/csv_reader.h"
#include "batch/input_output_error.h"
#include "batch/memory_streams.h"
#include "cli/gb18030_codec.h"
#include "navigation/column_providers.h"

namespace {

class DiscardingSink final : public orvanto::batch::ByteSink {
  public:
    void write(std::string_view) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    orvanto::batch::MemorySource file({reinterpret_cast<const char*>(data) + 1, size - 1},
                                      orvanto::batch::kMinimumRead + (data[0] & 0x3FU));
    orvanto::batch::Utf8Codec utf8;
    std::optional<orvanto::cli::Gb18030Codec> gb18030;
    try {
        orvanto::batch::TextCodec& codec =
            (data[0] & 0x80U) != 0 ? static_cast<orvanto::batch::TextCodec&>(gb18030.emplace())
                                   : utf8;
        orvanto::batch::CsvReader reader(file, 256);
        orvanto::batch::BatchSettings settings;
        settings.inputName = "fuzz";
        const orvanto::navigation::GeodesicColumns geodesic{orvanto::NumberStyle::Plain};
        const orvanto::navigation::CourseColumns courses{std::nullopt};
        if ((data[0] & 0x40U) != 0) {
            settings.extraColumns = {&geodesic, &courses};
        }
        orvanto::batch::BatchRun run(reader, codec, std::move(settings));
        if (!run.readHeader()) {
            return 0;
        }
        DiscardingSink sink;
        run.run(sink, orvanto::batch::BatchOutput{.codec = &utf8}, [](std::uint64_t) {});
    } catch (const orvanto::batch::InputOutputError&) {
    }
    return 0;
}
