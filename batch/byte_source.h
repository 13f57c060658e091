// Where a batch run's bytes come from and go to: the interfaces the run reads and writes through,
// so that it needs no file of its own (memory_streams.h has in-memory forms; the command line has
// file-descriptor ones).
#pragma once

#include <cstddef>
#include <string_view>

namespace orvanto::batch {

inline constexpr std::size_t kMinimumRead = 8;

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `capacity` bytes (at least kMinimumRead asked for); returns 0 only at the end of
    // the input. Throws InputOutputError when the input cannot be read.
    virtual std::size_t read(char* into, std::size_t capacity) = 0;
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Writes all of `bytes`. Throws InputOutputError when the output cannot take them.
    virtual void write(std::string_view bytes) = 0;
};

}  // namespace orvanto::batch
