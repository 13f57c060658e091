// A run's bytes in memory: a file a page or a test already holds, and the text the run writes for
// it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "batch/byte_source.h"

namespace orvanto::batch {

class MemorySource final : public ByteSource {
  public:
    // The bytes must outlive the source. `step` bounds each read, as a pipe or a terminal hands
    // out its bytes a few at a time.
    explicit MemorySource(std::string_view bytes,
                          std::size_t step = std::numeric_limits<std::size_t>::max())
        : bytes_(bytes), step_(step) {}

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

class StringSink final : public ByteSink {
  public:
    void write(std::string_view bytes) override { text_ += bytes; }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

}  // namespace orvanto::batch
