// A text file opened for reading records, or standard input for "-": batch's input, route's
// waypoints and the deviation card are all opened, named and decoded this one way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "batch/csv_reader.h"
#include "batch/text_encoding.h"
#include "cli/encoding_choice.h"
#include "cli/encodings.h"
#include "cli/file_streams.h"
#include "text/expected.h"

namespace orvanto::cli {

class TextFileInput {
  public:
    // Throws InputOutputError, `failure` ("无法打开航点文件") naming what could not be done.
    TextFileInput(const std::string& path, std::string_view failure, Encoding asked);

    // The encoding asked for, or the one `auto` finds (InputText::chooseEncoding); what is wrong
    // when no encoding reads the text. Throws InputOutputError when it cannot be read.
    Expected<batch::TextEncoding, std::string> chooseEncoding();

    batch::CsvReader& reader() { return text_.reader(); }
    // The codec of the encoding chosen.
    batch::TextCodec& codec() { return codecs_[encoding_]; }
    // How messages call the input: "标准输入" or the path in quotes.
    const std::string& name() const { return text_.file().name(); }
    std::uint64_t bytesRead() const { return text_.file().bytesRead(); }
    // The descriptor, for reading the bytes as they are (GPX) or telling an output apart from it.
    int fd() const { return file_.fd(); }

  private:
    InputFile file_;
    InputText text_;
    Codecs codecs_;
    batch::TextEncoding encoding_ = batch::TextEncoding::Utf8;
};

}  // namespace orvanto::cli
