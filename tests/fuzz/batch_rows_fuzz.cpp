// A batch file through a whole run, from the reader to the written rows: the first byte picks the
// size of each read (so that records straddle buffer refills), GB18030 or UTF-8, and the geodesic
// columns; the rest is the file. The run ends, or stops with a BatchError.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <variant>

#include "cli/batch_error.h"
#include "cli/batch_run.h"
#include "cli/byte_source.h"
#include "cli/csv_reader.h"
#include "cli/gb18030_codec.h"

namespace {

// The file in memory, handed out `step` bytes a read.
class MemorySource final : public orvanto::cli::ByteSource {
  public:
    MemorySource(std::string_view bytes, std::size_t step) : bytes_(bytes), step_(step) {}
    std::size_t read(char* into, std::size_t capacity) override {
        const std::size_t count = std::min({capacity, step_, bytes_.size() - at_});
        std::memcpy(into, bytes_.data() + at_, count);
        at_ += count;
        return count;
    }

  private:
    std::string_view bytes_;
    std::size_t step_;
    std::size_t at_ = 0;
};

class DiscardingSink final : public orvanto::cli::ByteSink {
  public:
    void write(std::string_view) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    MemorySource file({reinterpret_cast<const char*>(data) + 1, size - 1},
                      orvanto::cli::kMinimumRead + (data[0] & 0x3FU));
    orvanto::cli::Utf8Codec utf8;
    std::optional<orvanto::cli::Gb18030Codec> gb18030;
    try {
        orvanto::cli::TextCodec& codec =
            (data[0] & 0x80U) != 0 ? static_cast<orvanto::cli::TextCodec&>(gb18030.emplace())
                                   : utf8;
        orvanto::cli::CsvReader reader(file, 256);
        orvanto::cli::BatchRun run(reader, codec,
                                   orvanto::cli::BatchSettings{.modes = {},
                                                               .geodesic = (data[0] & 0x40U) != 0,
                                                               .navigation = (data[0] & 0x40U) != 0,
                                                               .variation = {},
                                                               .inputName = "fuzz"});
        run.readHeader();
        DiscardingSink sink;
        run.run(sink, orvanto::cli::BatchOutput{.codec = &utf8}, [](std::uint64_t) {});
    } catch (const orvanto::cli::BatchError&) {
    }
    return 0;
}
