// Where a batch run's text comes from: a file descriptor read in large blocks, and the GB18030
// decoder that turns a file saved by a spreadsheet on a Chinese system into UTF-8 on the way in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvanto::cli {

inline constexpr std::size_t kMinimumRead = 8;

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `capacity` bytes, at least kMinimumRead of them asked for (a decoder needs room
    // for a whole character); returns 0 only at the end of the input. Throws BatchError when the
    // input cannot be read.
    virtual std::size_t read(char* into, std::size_t capacity) = 0;
};

// An open file descriptor, read as it comes (a terminal gives one line a read).
class FileSource : public ByteSource {
  public:
    // `name` is how messages call the input ("标准输入" or the path).
    FileSource(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    std::size_t read(char* into, std::size_t capacity) override;
    std::uint64_t bytesRead() const { return bytesRead_; }

  private:
    int fd_;
    std::string name_;
    std::uint64_t bytesRead_ = 0;
};

// GB18030 (which covers GBK and GB2312) from `raw`, handed on as UTF-8. A byte sequence that is not
// GB18030 stops the run with a BatchError naming its line.
class Gb18030Decoder : public ByteSource {
  public:
    explicit Gb18030Decoder(ByteSource& raw);
    ~Gb18030Decoder() override;
    Gb18030Decoder(const Gb18030Decoder&) = delete;
    Gb18030Decoder& operator=(const Gb18030Decoder&) = delete;
    std::size_t read(char* into, std::size_t capacity) override;

  private:
    [[noreturn]] void invalidText(std::size_t linesInOutput) const;

    ByteSource& raw_;
    void* converter_;            // iconv_t, kept out of this header
    std::vector<char> pending_;  // raw bytes read but not yet converted
    std::size_t pendingSize_ = 0;
    bool rawEnded_ = false;
    std::uint64_t linesDone_ = 0;  // line feeds already handed on, for the message's line number
};

}  // namespace orvanto::cli
