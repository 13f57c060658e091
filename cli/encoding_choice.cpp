#include "cli/encoding_choice.h"

#include <unistd.h>

#include <iostream>

#include "batch/batch_run.h"

namespace orvanto::cli {

using batch::ByteOrder;
using batch::TextEncoding;
using batch::Utf16Source;

namespace {

// Rows typed at a terminal come in the terminal's own UTF-8, and waiting for 64 KiB of them before
// the first result would look like a hang.
Utf16Source::Detection utf16Detection(Encoding asked, bool terminal) {
    if (asked == Encoding::Utf16) {
        return Utf16Source::Detection::Always;
    }
    return asked == Encoding::Auto && !terminal ? Utf16Source::Detection::ByteOrderMark
                                                : Utf16Source::Detection::Never;
}

}  // namespace

InputText::InputText(int fd, std::string name, Encoding asked)
    : asked_(asked),
      terminal_(::isatty(fd) == 1),
      file_(fd, std::move(name)),
      decoded_(file_, utf16Detection(asked, terminal_)),
      reader_(decoded_) {
    if (terminal_) {
        std::cerr << "orvanto-cli：从终端读取输入，第一行是表头；输完后在新的一行按 Ctrl-D 结束\n";
    }
}

Expected<TextEncoding, std::string> InputText::chooseEncoding() {
    if (const auto order = decoded_.byteOrder()) {
        return *order == ByteOrder::LittleEndian ? TextEncoding::Utf16LittleEndian
                                                 : TextEncoding::Utf16BigEndian;
    }
    if (asked_ != Encoding::Auto || terminal_) {
        return asked_ == Encoding::Gb18030 ? TextEncoding::Gb18030 : TextEncoding::Utf8;
    }
    auto found = batch::detectInputEncoding(reader_);
    if (!found) {
        return unexpected("无法确定输入的编码：" + batch::lineText(found.error().line) +
                          "既不是有效的 UTF-8 文本，也不是有效的 GB18030 文本；"
                          "可用 --encoding=utf-8、--encoding=gb18030 或 --encoding=utf-16 指定");
    }
    if (found.value() == TextEncoding::Gb18030) {
        std::cerr << "orvanto-cli：输入不是 UTF-8 文本，按 GB18030（GBK）读取\n";
    }
    return found.value();
}

batch::FrontEndWords batchWords() {
    return {
        [](std::string_view encoding) { return "加上 --encoding=" + std::string{encoding} + " "; },
        " --seconds 的设定"};
}

OutputText chooseOutputEncoding(OutputEncoding asked, TextEncoding input, bool inputByteOrderMark,
                                bool terminal) {
    switch (asked) {
        case OutputEncoding::Utf8:
            return {TextEncoding::Utf8, false};
        case OutputEncoding::Utf8Bom:
            return {TextEncoding::Utf8, true};
        case OutputEncoding::Gb18030:
            return {TextEncoding::Gb18030, false};
        case OutputEncoding::Utf16:
            return {TextEncoding::Utf16LittleEndian, true};
        case OutputEncoding::Input:
            break;
    }
    if (terminal) {
        return {TextEncoding::Utf8, false};
    }
    // A spreadsheet opens UTF-16 as its own text only with the byte order mark in front.
    return {input, inputByteOrderMark || utf16Order(input).has_value()};
}

std::optional<ByteOrder> utf16Order(TextEncoding encoding) {
    if (encoding == TextEncoding::Utf16LittleEndian) {
        return ByteOrder::LittleEndian;
    }
    if (encoding == TextEncoding::Utf16BigEndian) {
        return ByteOrder::BigEndian;
    }
    return std::nullopt;
}

}  // namespace orvanto::cli
