#include "cli/byte_source.h"

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "cli/batch_error.h"

namespace orvanto::cli {
namespace {

constexpr std::size_t kRawBlock = std::size_t{256} * 1024;

iconv_t asIconv(void* converter) {
    return static_cast<iconv_t>(converter);
}

}  // namespace

std::size_t FileSource::read(char* into, std::size_t capacity) {
    for (;;) {
        const ssize_t n = ::read(fd_, into, capacity);
        if (n >= 0) {
            bytesRead_ += static_cast<std::uint64_t>(n);
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) {
            throw BatchError("无法读取" + name_ + "：" + std::strerror(errno));
        }
    }
}

Gb18030Decoder::Gb18030Decoder(ByteSource& raw)
    : raw_(raw), converter_(iconv_open("UTF-8", "GB18030")), pending_(kRawBlock) {
    // iconv_open reports a failure as the handle (iconv_t) -1.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    const void* const failed = reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));
    if (converter_ == failed) {
        throw BatchError("本系统的 iconv 不支持 GB18030，无法读取 --encoding=gb18030 的文件");
    }
}

Gb18030Decoder::~Gb18030Decoder() {
    iconv_close(asIconv(converter_));
}

void Gb18030Decoder::invalidText(std::size_t linesInOutput) const {
    throw BatchError("第 " + std::to_string(linesDone_ + linesInOutput + 1) +
                     " 行不是有效的 GB18030 文本，无法读取");
}

std::size_t Gb18030Decoder::read(char* into, std::size_t capacity) {
    for (;;) {
        if (!rawEnded_ && pendingSize_ < pending_.size()) {
            const std::size_t n =
                raw_.read(pending_.data() + pendingSize_, pending_.size() - pendingSize_);
            rawEnded_ = n == 0;
            pendingSize_ += n;
        }
        char* in = pending_.data();
        std::size_t inLeft = pendingSize_;
        char* out = into;
        std::size_t outLeft = capacity;
        const std::size_t result = iconv(asIconv(converter_), &in, &inLeft, &out, &outLeft);
        const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
        const auto produced = static_cast<std::size_t>(out - into);
        const auto lines = static_cast<std::size_t>(std::count(into, out, '\n'));
        // EINVAL: the block ends inside a character, whose rest comes with the next block, unless
        // the input has ended.
        if (error == EILSEQ || (error == EINVAL && rawEnded_)) {
            invalidText(lines);
        }
        std::memmove(pending_.data(), in, inLeft);
        pendingSize_ = inLeft;
        linesDone_ += lines;
        if (produced > 0 || (rawEnded_ && pendingSize_ == 0)) {
            return produced;
        }
    }
}

}  // namespace orvanto::cli
