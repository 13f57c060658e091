// Which encoding a run reads its input in, and the codecs it reads and writes with: shared by batch
// and route, so that both read a file alike.
#pragma once

#include <optional>

#include "cli/cli_arguments.h"
#include "cli/csv_reader.h"
#include "cli/gb18030_codec.h"
#include "cli/text_encoding.h"

namespace orvanto::cli {

// The encoding asked for, or for `auto` the one the reader's first 64 KiB show (said on standard
// error when it is GB18030). Throws BatchError when neither encoding reads them.
TextEncoding chooseInputEncoding(Encoding asked, CsvReader& reader, int inputFd);

// One codec of each encoding, the GB18030 one opened only when needed.
class Codecs {
  public:
    TextCodec& operator[](TextEncoding encoding) {
        if (encoding == TextEncoding::Utf8) {
            return utf8_;
        }
        return gb18030_ ? *gb18030_ : gb18030_.emplace();
    }

  private:
    Utf8Codec utf8_;
    std::optional<Gb18030Codec> gb18030_;
};

}  // namespace orvanto::cli
