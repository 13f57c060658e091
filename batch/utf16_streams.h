// UTF-16 files, as a spreadsheet's "Unicode text" saves them: turned into UTF-8 as they are read
// and back into UTF-16 as they are written, so that the reader, the run and the writer in between
// work on UTF-8 bytes alone (its delimiters and line ends are then single bytes again).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "batch/byte_source.h"

namespace orvanto::batch {

enum class ByteOrder { LittleEndian, BigEndian };

// Appends UTF-8 text as UTF-16 in `order`; a byte that does not decode becomes U+FFFD.
void appendUtf16(std::string_view utf8, ByteOrder order, std::string& out);

// A source that hands on another's bytes, as UTF-8 when they are UTF-16. A code unit that does not
// pair (a lone surrogate) and a last odd byte become the byte 0xFF, which no UTF-8 text holds, so
// that the record they stand in is told as unreadable rather than passed off as text. A byte order
// mark becomes U+FEFF, which the reader takes for the UTF-8 one.
class Utf16Source final : public ByteSource {
  public:
    enum class Detection {
        Never,          // the bytes pass through
        ByteOrderMark,  // UTF-16 when the bytes start with its byte order mark
        Always,         // UTF-16 in the order of its byte order mark, little-endian without
    };
    Utf16Source(ByteSource& raw, Detection detection) : raw_(raw), detection_(detection) {}

    // The byte order when the input is UTF-16, nothing when its bytes pass through. Reads the first
    // bytes to know; throws InputOutputError when they cannot be read.
    std::optional<ByteOrder> byteOrder();

    std::size_t read(char* into, std::size_t capacity) override;

  private:
    std::size_t convert(char* into, std::size_t capacity);
    void refill(std::size_t capacity);

    ByteSource& raw_;
    Detection detection_;
    bool probed_ = false;
    std::optional<ByteOrder> order_;
    std::string pending_;  // bytes read from `raw_` and not yet handed on
    bool rawEnded_ = false;
};

// A sink that writes UTF-8 on as UTF-16. Each write must end on a whole character, as the block
// writer's do (they end on a row).
class Utf16Sink final : public ByteSink {
  public:
    Utf16Sink(ByteSink& next, ByteOrder order) : next_(next), order_(order) {}
    void write(std::string_view bytes) override;

  private:
    ByteSink& next_;
    ByteOrder order_;
    std::string encoded_;
};

}  // namespace orvanto::batch
