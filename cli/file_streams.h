// A run's source and sink as open file descriptors: standard input and output, the input file and
// the output's temporary file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "batch/byte_source.h"

namespace orvanto::cli {

// The input file descriptor a run opened ("-" is standard input), closed when the run ends.
class InputFile {
  public:
    // Throws InputOutputError, `failure` ("无法打开输入文件") naming what could not be done.
    InputFile(const std::string& path, std::string_view failure);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_ = 0;  // standard input
    bool owned_ = false;
};

// An open file descriptor, read as it comes (a terminal gives one line a read).
class FileSource : public batch::ByteSource {
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

class FileSink : public batch::ByteSink {
  public:
    FileSink(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    void write(std::string_view bytes) override;

  private:
    int fd_;
    std::string name_;
};

}  // namespace orvanto::cli
