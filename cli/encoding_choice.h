// How batch and route read their input as text and which encoding they write in, so that both
// read a file alike: UTF-16 turned into UTF-8 on the way in (by its byte order mark for `auto`),
// the encoding of the rest found by `auto` or as asked, and the codecs that read and write them.
#pragma once

#include <optional>
#include <string>

#include "batch/csv_reader.h"
#include "batch/front_end_words.h"
#include "batch/text_encoding.h"
#include "batch/utf16_streams.h"
#include "cli/encodings.h"
#include "cli/file_streams.h"
#include "cli/gb18030_codec.h"
#include "text/expected.h"

namespace orvanto::cli {

// An input's bytes on their way to its records. Reading from a terminal, it says so on standard
// error, with how to end the input.
class InputText {
  public:
    // `name` is how messages call the input ("标准输入" or the path in quotes).
    InputText(int fd, std::string name, Encoding asked);
    InputText(const InputText&) = delete;
    InputText& operator=(const InputText&) = delete;

    // The encoding asked for, or for `auto` the one the first bytes show (said on standard error
    // when it is GB18030), or the message naming the first line no encoding reads. Throws
    // InputOutputError when the input cannot be read.
    Expected<batch::TextEncoding, std::string> chooseEncoding();

    batch::CsvReader& reader() { return reader_; }
    const FileSource& file() const { return file_; }

  private:
    Encoding asked_;
    bool terminal_;
    FileSource file_;
    batch::Utf16Source decoded_;
    batch::CsvReader reader_;
};

// How batch's messages name the command line's options: --encoding=gb18030, --seconds.
batch::FrontEndWords batchWords();

// The encoding output is written in and whether a byte order mark goes first.
struct OutputText {
    batch::TextEncoding encoding = batch::TextEncoding::Utf8;
    bool byteOrderMark = false;
};

// As asked; by default the input's, its byte order mark kept (UTF-16 always has one), and on a
// terminal UTF-8.
OutputText chooseOutputEncoding(OutputEncoding asked, batch::TextEncoding input,
                                bool inputByteOrderMark, bool terminal);

// The byte order of a UTF-16 encoding, nothing for any other.
std::optional<batch::ByteOrder> utf16Order(batch::TextEncoding encoding);

// One codec of each encoding, the GB18030 one opened only when needed. UTF-16 is read as UTF-8
// once InputText has turned it into UTF-8, so its codec is the UTF-8 one under its own name.
class Codecs {
  public:
    batch::TextCodec& operator[](batch::TextEncoding encoding) {
        switch (encoding) {
            case batch::TextEncoding::Utf8:
                return utf8_;
            case batch::TextEncoding::Utf16LittleEndian:
            case batch::TextEncoding::Utf16BigEndian:
                return utf16_;
            case batch::TextEncoding::Gb18030:
                break;
        }
        return gb18030_ ? *gb18030_ : gb18030_.emplace();
    }

  private:
    batch::Utf8Codec utf8_;
    batch::Utf8Codec utf16_{"UTF-16"};
    std::optional<Gb18030Codec> gb18030_;
};

}  // namespace orvanto::cli
