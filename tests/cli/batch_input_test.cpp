// How batch files are read: the CSV/TSV scanner, the GB18030 decoder in front of it, the header's
// columns and the plain number form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "cli/batch_columns.h"
#include "cli/batch_error.h"
#include "cli/csv_reader.h"
#include "cli/number_format.h"

namespace orvanto::cli {
namespace {

// Hands out its text a few bytes at a time, as a pipe or a terminal does.
class ChunkedSource : public ByteSource {
  public:
    ChunkedSource(std::string text, std::size_t chunk) : text_(std::move(text)), chunk_(chunk) {}
    std::size_t read(char* into, std::size_t capacity) override {
        const std::size_t n = std::min({chunk_, capacity, text_.size() - at_});
        std::memcpy(into, text_.data() + at_, n);
        at_ += n;
        return n;
    }

  private:
    std::string text_;
    std::size_t chunk_;
    std::size_t at_ = 0;
};

// Each record as "line:field|field", "*" when it cannot be copied verbatim, "+cr" for a CRLF end,
// "+eof" for a last line without a line feed; records separated by " / ".
std::string readAll(ByteSource& source, std::size_t bufferSize) {
    CsvReader reader{source, bufferSize};
    CsvRecord record;
    std::string shown;
    while (reader.next(record)) {
        shown += (shown.empty() ? "" : " / ") + std::to_string(record.line) + ":";
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            shown += (i > 0 ? "|" : "") + std::string{record.fields[i]};
        }
        shown += record.verbatim ? "" : "*";
        shown += record.lineEnd == "\r\n" ? "+cr" : record.lineEnd.empty() ? "+eof" : "";
    }
    return shown;
}

// Every input is read whole and a byte at a time, with a large buffer and with one so small that
// records cross its end: the records must not depend on where a read stops.
std::string readEveryWay(const std::string& text) {
    std::string first;
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{4096}}) {
        for (const std::size_t buffer : {std::size_t{24}, CsvReader::kDefaultBufferSize}) {
            ChunkedSource source{text, chunk};
            const std::string shown = readAll(source, buffer);
            EXPECT_TRUE(first.empty() || shown == first) << "chunk " << chunk << ": " << shown;
            first = shown;
        }
    }
    return first;
}

TEST(CsvReader, ReadsRfc4180AndTsv) {
    const std::pair<std::string, std::string> rows[] = {
        {"lat1,lon1\n1,2\n", "1:lat1|lon1 / 2:1|2"},
        {"a,b\n1,2", "1:a|b / 2:1|2+eof"},
        {"a,b\r\n1,2\r\n", "1:a|b+cr / 2:1|2+cr"},
        {"\xEF\xBB\xBF"
         "a,b\n",
         "1:a|b"},
        {"a,b\n\"x,\"\"y\"\"\",z\n", "1:a|b / 2:x,\"y\"|z*"},
        {"a,b\n\"1\n2\",3\n4,5\n", "1:a|b / 2:1\n2|3* / 4:4|5"},  // line numbers go on inside
        {"a,b\n\n1,2\n\n", "1:a|b / 2: / 3:1|2 / 4:"},            // a blank line is a record
        {"a\tb,c\n1,5\t\"2\"\n", "1:a|b,c / 2:1,5|2*"},           // the header's tab makes TSV
        {"\"a\"b,c d,\n", "1:ab|c d|*"},                          // text after a quote is kept
        {"a\rb,\"\"\n", "1:a\rb|*"},                              // a lone CR is data
        {"\"a\r\nb\"\r\n", "1:a\r\nb*+cr"},
        {"\"a\"", "1:a*+eof"},
        {"", ""},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(readEveryWay(text), expected) << text;
    }
}

TEST(CsvReader, StopsNamingTheLine) {
    const std::pair<std::string, std::string> rows[] = {
        {"a,b\n1,2\n\"open,3\n4\n", "第 3 行的引号没有闭合"},
        {"a,b\n1,\xff\n", "第 2 行不是有效的 UTF-8 文本"},
        {"a,b\n\"x\n\xc3\",1\n", "第 3 行不是有效的 UTF-8 文本"},
        {"a,b\n" + std::string(30, 'x') + "\n", "第 2 行起的一条记录超过"},  // 24-byte buffer
    };
    for (const auto& [text, message] : rows) {
        ChunkedSource source{text, 7};
        try {
            readAll(source, 24);
            ADD_FAILURE() << "no stop for " << text;
        } catch (const BatchError& error) {
            EXPECT_NE(std::string{error.what()}.find(message), std::string::npos) << error.what();
        }
    }
}

TEST(Gb18030Decoder, HandsOnUtf8EvenWhenACharacterIsSplit) {
    // "点Ⅰ纬度,备注\n4250.0,北\n" as a spreadsheet on a Chinese system saves it.
    const std::string gb18030 =
        "\xb5\xe3\xa2\xf1\xce\xb3\xb6\xc8,\xb1\xb8\xd7\xa2\n4250.0,\xb1\xb1\n";
    ChunkedSource raw{gb18030, 1};
    Gb18030Decoder decoder{raw};
    EXPECT_EQ(readAll(decoder, 32), "1:点Ⅰ纬度|备注 / 2:4250.0|北");

    for (const std::string bad : {"a\n\xff\n", "a\n\xb5"}) {  // a byte no character starts with
        ChunkedSource source{bad, 1};                         // a character cut off at the end
        Gb18030Decoder badDecoder{source};
        EXPECT_THROW(
            {
                try {
                    readAll(badDecoder, 24);
                } catch (const BatchError& error) {
                    EXPECT_STREQ(error.what(), "第 2 行不是有效的 GB18030 文本，无法读取");
                    throw;
                }
            },
            BatchError);
    }
}

TEST(BatchColumns, FindsTheColumnsByName) {
    using Names = std::vector<std::string_view>;
    const auto positions = [](const Names& header) {
        const auto found = findColumns(header);
        if (const auto* problem = std::get_if<std::string>(&found)) {
            return *problem;
        }
        std::string shown;
        for (const auto& position : std::get<BatchColumns>(found).position) {
            shown += position ? std::to_string(*position) : "-";
        }
        return shown;
    };
    EXPECT_EQ(positions({"id", " LAT1", "Lon1 ", "lat2", "LON2"}), "1234-----");
    EXPECT_EQ(positions({"lonr", "点Ⅱ经度", "点Ⅱ纬度", "点Ⅰ经度", "点Ⅰ纬度", "MODE2", "latr"}),
              "432160-5-");
    EXPECT_EQ(positions({"lat1", "lon1", "lat2", "lon2", "moder", "mode1"}), "0123--5-4");
    EXPECT_TRUE(positions({"lat1", "lon2", "x"}).starts_with("表头缺少 lon1、lat2 列"));
    EXPECT_TRUE(
        positions({"lat1", "lon1", "lat2", "lon2", "latr"}).starts_with("表头中 latr 和 lonr"));
    EXPECT_EQ(positions({"lat1", "lon1", "lat2", "lon2", "点Ⅰ纬度"}),
              "表头中的 lat1 列出现了两次（第 1 列和第 5 列）");
}

TEST(NumberFormat, PlainNumbersHaveALeadingZeroAndNoTrailingPoint) {
    const std::pair<const char*, const char*> rows[] = {
        {".5", "0.5"},       {"12.", "12"}, {"704.197", "704.197"},
        {".", "0"},          {"-.", "0"},  // identical points: the scan's tiny negative end
        {"-.111", "-0.111"},
    };
    for (const auto& [window, plain] : rows) {
        EXPECT_EQ(formattedNumber(window, NumberFormat::Plain), plain);
        EXPECT_EQ(formattedNumber(window, NumberFormat::Window), window);
    }
}

}  // namespace
}  // namespace orvanto::cli
