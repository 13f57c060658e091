// GB18030 (which covers GBK and GB2312, the encodings spreadsheets on Chinese systems save in)
// to and from UTF-8, with the system's iconv.
#pragma once

#include "batch/text_encoding.h"

namespace orvanto::cli {

class Gb18030Codec final : public batch::TextCodec {
  public:
    // Throws InputOutputError when the system's iconv has no GB18030.
    Gb18030Codec();
    ~Gb18030Codec() override;
    Gb18030Codec(const Gb18030Codec&) = delete;
    Gb18030Codec& operator=(const Gb18030Codec&) = delete;

    std::string_view name() const noexcept override { return "GB18030"; }
    bool isValid(std::string_view raw) const noexcept override {
        return batch::isValidGb18030(raw);
    }
    void appendUtf8(std::string_view raw, std::string& out) override;
    void appendEncoded(std::string_view utf8, std::string& out) override;

  private:
    void* toUtf8_;  // iconv_t, kept out of this header
    void* fromUtf8_;
};

}  // namespace orvanto::cli
