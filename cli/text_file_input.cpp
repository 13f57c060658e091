#include "cli/text_file_input.h"

namespace orvanto::cli {

TextFileInput::TextFileInput(const std::string& path, std::string_view failure, Encoding asked)
    : file_(path, failure), text_(file_.fd(), path == "-" ? "标准输入" : "“" + path + "”", asked) {}

Expected<batch::TextEncoding, std::string> TextFileInput::chooseEncoding() {
    auto chosen = text_.chooseEncoding();
    if (chosen) {
        encoding_ = chosen.value();
    }
    return chosen;
}

}  // namespace orvanto::cli
