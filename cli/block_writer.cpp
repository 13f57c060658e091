#include "cli/block_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/batch_error.h"

namespace orvanto::cli {
namespace {

constexpr std::size_t kBlockSize = std::size_t{256} * 1024;

}  // namespace

BlockWriter::BlockWriter(int fd, std::string name, char delimiter, std::string_view lineEnd,
                         bool flushEachRow)
    : fd_(fd),
      name_(std::move(name)),
      delimiter_(delimiter),
      lineEnd_(lineEnd),
      flushEachRow_(flushEachRow) {
    // Room for a block and the row that crosses its end.
    buffer_.reserve(2 * kBlockSize);
}

void BlockWriter::appendField(std::string_view field) {
    const char specials[] = {delimiter_, '"', '\r', '\n'};
    if (field.find_first_of(std::string_view{specials, sizeof specials}) ==
        std::string_view::npos) {
        buffer_ += field;
        return;
    }
    buffer_ += '"';
    for (const char c : field) {
        if (c == '"') {
            buffer_ += '"';
        }
        buffer_ += c;
    }
    buffer_ += '"';
}

void BlockWriter::endRow() {
    buffer_ += lineEnd_;
    if (flushEachRow_ || buffer_.size() >= kBlockSize) {
        flush();
    }
}

void BlockWriter::flush() {
    std::size_t written = 0;
    while (written < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + written, buffer_.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            buffer_.clear();
            throw BatchError("无法写入" + name_ + "：" + std::strerror(error));
        }
        written += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

}  // namespace orvanto::cli
