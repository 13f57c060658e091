// Where a batch run's bytes come from and go to: the interfaces the run reads and writes through,
// and their file-descriptor forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanto::cli {

inline constexpr std::size_t kMinimumRead = 8;

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `capacity` bytes (at least kMinimumRead asked for); returns 0 only at the end of
    // the input. Throws BatchError when the input cannot be read.
    virtual std::size_t read(char* into, std::size_t capacity) = 0;
};

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Writes all of `bytes`. Throws BatchError when the output cannot take them.
    virtual void write(std::string_view bytes) = 0;
};

// An open file descriptor, read as it comes (a terminal gives one line a read).
class FileSource : public ByteSource {
  public:
    // `name` is how messages call the input ("标准输入" or the path in quotes).
    FileSource(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    std::size_t read(char* into, std::size_t capacity) override;
    std::uint64_t bytesRead() const { return bytesRead_; }
    const std::string& name() const { return name_; }

  private:
    int fd_;
    std::string name_;
    std::uint64_t bytesRead_ = 0;
};

class FileSink : public ByteSink {
  public:
    FileSink(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    void write(std::string_view bytes) override;

  private:
    int fd_;
    std::string name_;
};

}  // namespace orvanto::cli
