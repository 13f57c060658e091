#include "cli/file_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "batch/input_output_error.h"
#include "cli/system_error.h"

namespace orvanto::cli {

using batch::InputOutputError;

InputFile::InputFile(const std::string& path, std::string_view failure) {
    if (path == "-") {
        return;
    }
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        throw InputOutputError(systemErrorMessage(failure, "“" + path + "”", errno));
    }
    owned_ = true;
}

InputFile::~InputFile() {
    if (owned_) {
        ::close(fd_);
    }
}

std::size_t FileSource::read(char* into, std::size_t capacity) {
    for (;;) {
        const ssize_t n = ::read(fd_, into, capacity);
        if (n >= 0) {
            bytesRead_ += static_cast<std::uint64_t>(n);
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) {
            throw InputOutputError(systemErrorMessage("无法读取", name_, errno));
        }
    }
}

void FileSink::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw InputOutputError(systemErrorMessage("无法写入", name_, errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

}  // namespace orvanto::cli
