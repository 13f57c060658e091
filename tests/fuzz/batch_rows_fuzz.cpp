// A batch file through the reader and the row calculator: the first byte picks the size of each
// read (so that records straddle buffer refills) and GB18030 or UTF-8; the rest is the file. Every
// record is read, or the file stops with a BatchError; every row gets its result columns.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <variant>

#include "cli/batch_error.h"
#include "cli/batch_row.h"
#include "cli/byte_source.h"
#include "cli/csv_reader.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    MemorySource file({reinterpret_cast<const char*>(data) + 1, size - 1},
                      orvanto::cli::kMinimumRead + (data[0] & 0x3FU));
    std::optional<orvanto::cli::Gb18030Decoder> decoder;
    orvanto::cli::ByteSource* source = &file;
    try {
        if ((data[0] & 0x80U) != 0) {
            source = &decoder.emplace(file);
        }
        orvanto::cli::CsvReader reader(*source, 256);
        orvanto::cli::CsvRecord record;
        if (!reader.next(record)) {
            return 0;
        }
        const auto columns = orvanto::cli::findColumns(record.fields);
        if (const auto* found = std::get_if<orvanto::cli::BatchColumns>(&columns)) {
            orvanto::cli::RowCalculator rows(*found, {}, orvanto::cli::NumberFormat::Plain,
                                             (data[0] & 0x40U) != 0);
            orvanto::cli::RowResults results;
            std::size_t line = record.line;
            while (reader.next(record)) {
                if (record.line <= line) {
                    std::abort();
                }
                line = record.line;
                rows.calculate(record.fields, results);
            }
        }
    } catch (const orvanto::cli::BatchError&) {
    }
    return 0;
}
