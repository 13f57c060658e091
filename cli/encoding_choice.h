// Which encoding a run reads its input in, and the codecs it reads and writes with: shared by batch
// and route, so that both read a file alike.
#pragma once

#include <optional>
#include <string>

#include "batch/csv_reader.h"
#include "batch/text_encoding.h"
#include "cli/cli_arguments.h"
#include "cli/gb18030_codec.h"
#include "text/expected.h"

namespace orvanto::cli {

// The encoding asked for, or for `auto` the one the reader's first 64 KiB show (said on standard
// error when it is GB18030), or the message naming the first line neither encoding reads. Throws
// BatchError when the input cannot be read.
Expected<batch::TextEncoding, std::string> chooseInputEncoding(Encoding asked,
                                                               batch::CsvReader& reader,
                                                               int inputFd);

// One codec of each encoding, the GB18030 one opened only when needed.
class Codecs {
  public:
    batch::TextCodec& operator[](batch::TextEncoding encoding) {
        if (encoding == batch::TextEncoding::Utf8) {
            return utf8_;
        }
        return gb18030_ ? *gb18030_ : gb18030_.emplace();
    }

  private:
    batch::Utf8Codec utf8_;
    std::optional<Gb18030Codec> gb18030_;
};

}  // namespace orvanto::cli
