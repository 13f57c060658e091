// The text encodings a batch file may be in, how a run tells them apart, and the codec that turns a
// record's bytes into UTF-8 for the calculator and UTF-8 back into the output's encoding.
//
// In UTF-8 and GB18030 every byte below 0x30, and the semicolon, stands for itself (GB18030's
// multi-byte characters use 0x81–0xFE, then 0x40–0xFE or 0x30–0x39), so the delimiters, quote, CR
// and LF are never part of a character: records and fields are cut on the raw bytes, and only the
// fields are decoded. UTF-16 has no such property; it is turned into UTF-8 as it is read and back
// as it is written (utf16_streams.h), and the run in between sees UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/expected.h"

namespace orvanto::batch {

enum class TextEncoding { Utf8, Gb18030, Utf16LittleEndian, Utf16BigEndian };

// How much of a file `auto` looks at to decide its encoding.
inline constexpr std::size_t kDetectionWindow = std::size_t{64} * 1024;

// Whether the bytes are well-formed GB18030 (the four-byte forms within the ranges that map to
// Unicode). With `cutEndAllowed`, a character cut off at the very end counts as well-formed.
bool isValidGb18030(std::string_view text, bool cutEndAllowed = false) noexcept;

struct UnreadableLine {
    std::size_t line;  // counted from 1
};

// The encoding of a file from its first bytes (`head`, the whole file when `complete`): a UTF-8
// byte order mark or valid UTF-8 means UTF-8, else valid GB18030 means GB18030. Otherwise the first
// line that neither encoding reads (or, when each line reads in one of them, the first line GB18030
// does not read).
Expected<TextEncoding, UnreadableLine> detectEncoding(std::string_view head, bool complete);

class TextCodec {
  public:
    virtual ~TextCodec() = default;
    virtual std::string_view name() const noexcept = 0;  // "UTF-8", "GB18030", "UTF-16"
    // Whether the bytes it reads are UTF-8, so that valid ones need no decoding.
    virtual bool isUtf8() const noexcept { return false; }
    virtual bool isValid(std::string_view raw) const noexcept = 0;
    // Appends the text as UTF-8, U+FFFD for each byte that does not read.
    virtual void appendUtf8(std::string_view raw, std::string& out) = 0;
    // Appends valid UTF-8 in this encoding.
    virtual void appendEncoded(std::string_view utf8, std::string& out) = 0;
};

// UTF-8, and UTF-16 once it has been turned into UTF-8 (then `name` is "UTF-16", for messages).
class Utf8Codec final : public TextCodec {
  public:
    explicit Utf8Codec(std::string_view name = "UTF-8") : name_(name) {}
    std::string_view name() const noexcept override { return name_; }
    bool isUtf8() const noexcept override { return true; }
    bool isValid(std::string_view raw) const noexcept override;
    void appendUtf8(std::string_view raw, std::string& out) override;
    void appendEncoded(std::string_view utf8, std::string& out) override { out += utf8; }

  private:
    std::string_view name_;
};

}  // namespace orvanto::batch
