#include "cli/encoding_choice.h"

#include <unistd.h>

#include <iostream>

#include "batch/batch_run.h"

namespace orvanto::cli {

using batch::CsvReader;
using batch::TextEncoding;

Expected<TextEncoding, std::string> chooseInputEncoding(Encoding asked, CsvReader& reader,
                                                        int inputFd) {
    // Rows typed at a terminal come in the terminal's own UTF-8, and waiting for 64 KiB of them
    // before the first result would look like a hang.
    if (asked != Encoding::Auto || ::isatty(inputFd) == 1) {
        return asked == Encoding::Gb18030 ? TextEncoding::Gb18030 : TextEncoding::Utf8;
    }
    auto found = batch::detectInputEncoding(reader);
    if (found && found.value() == TextEncoding::Gb18030) {
        std::cerr << "orvanto-cli：输入不是 UTF-8 文本，按 GB18030（GBK）读取\n";
    }
    return found;
}

}  // namespace orvanto::cli
