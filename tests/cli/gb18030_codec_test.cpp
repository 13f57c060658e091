// The GB18030 codec, through the system's iconv: what does not read, and the round trip.
#include <gtest/gtest.h>

#include <string>

#include "cli/gb18030_codec.h"

namespace orvanto::cli {
namespace {

// "点Ⅰ纬度,备注" as a spreadsheet on a Chinese system saves it.
const std::string kGb18030Header = "\xb5\xe3\xa2\xf1\xce\xb3\xb6\xc8,\xb1\xb8\xd7\xa2";

TEST(TextEncoding, CodecsReplaceWhatDoesNotReadAndRoundTrip) {
    Gb18030Codec gb18030;
    batch::Utf8Codec utf8;
    std::string decoded;
    gb18030.appendUtf8(kGb18030Header + "\xff", decoded);
    EXPECT_EQ(decoded, "点Ⅰ纬度,备注\uFFFD");
    std::string encoded;
    gb18030.appendEncoded("点Ⅰ纬度,备注", encoded);
    EXPECT_EQ(encoded, kGb18030Header);
    decoded.clear();
    utf8.appendUtf8("a\xff\xe5", decoded);
    EXPECT_EQ(decoded, "a\uFFFD\uFFFD");
}

}  // namespace
}  // namespace orvanto::cli
