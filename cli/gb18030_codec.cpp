#include "cli/gb18030_codec.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>

#include "batch/input_output_error.h"

namespace orvanto::cli {

using batch::InputOutputError;

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

iconv_t asIconv(void* converter) {
    return static_cast<iconv_t>(converter);
}

void* opened(const char* to, const char* from) {
    iconv_t converter = iconv_open(to, from);
    // iconv_open reports a failure as the handle (iconv_t) -1.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    if (converter == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
        throw InputOutputError("本系统的 iconv 不支持 GB18030，无法读写 GB18030 编码的文件");
    }
    return converter;
}

// Converts all of `text`; a byte that does not convert becomes `replacement` and is skipped.
void convert(void* converter, std::string_view text, std::string& out,
             std::string_view replacement) {
    std::array<char, 4096> block{};
    // iconv takes a non-const input pointer but only reads through it.
    char* in = const_cast<char*>(text.data());  // NOLINT(cppcoreguidelines-pro-type-const-cast)
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* outAt = block.data();
        std::size_t outLeft = block.size();
        const std::size_t result = iconv(asIconv(converter), &in, &inLeft, &outAt, &outLeft);
        const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
        out.append(block.data(), outAt);
        if (error == EILSEQ || error == EINVAL) {
            out += replacement;
            ++in;
            --inLeft;
            iconv(asIconv(converter), nullptr, nullptr, nullptr, nullptr);
        }
    }
}

}  // namespace

Gb18030Codec::Gb18030Codec()
    : toUtf8_(opened("UTF-8", "GB18030")), fromUtf8_(opened("GB18030", "UTF-8")) {}

Gb18030Codec::~Gb18030Codec() {
    iconv_close(asIconv(toUtf8_));
    iconv_close(asIconv(fromUtf8_));
}

void Gb18030Codec::appendUtf8(std::string_view raw, std::string& out) {
    convert(toUtf8_, raw, out, kReplacement);
}

void Gb18030Codec::appendEncoded(std::string_view utf8, std::string& out) {
    // U+FFFD in GB18030, for the rare text that is not valid UTF-8.
    convert(fromUtf8_, utf8, out, "\x84\x31\xA4\x37");
}

}  // namespace orvanto::cli
