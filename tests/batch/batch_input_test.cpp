// How batch files are read and run: the CSV/TSV scanner, how `auto` tells the encodings apart, the
// header's columns, and a whole run in memory, as a front end with no files of its own runs one.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "batch/batch_columns.h"
#include "batch/batch_error.h"
#include "batch/batch_run.h"
#include "batch/csv_reader.h"
#include "batch/memory_streams.h"

namespace orvanto::batch {
namespace {

// Each record as "line:field|field", "*" when it cannot be copied verbatim, "!" when too long,
// "+cr" for a CRLF end, "+eof" for a last line without a line feed; records separated by " / ".
std::string readAll(ByteSource& source, std::size_t bufferSize) {
    CsvReader reader{source, bufferSize};
    CsvRecord record;
    std::string shown;
    while (reader.next(record)) {
        shown += (shown.empty() ? "" : " / ") + std::to_string(record.line) + ":";
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            shown += (i > 0 ? "|" : "") + std::string{record.fields[i]};
        }
        shown += record.tooLong ? "!" : record.verbatim ? "" : "*";
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
            MemorySource source{text, chunk};
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

// With a 24-byte buffer: a record too long is passed over, a quote too long stops the run.
TEST(CsvReader, PassesOverLongRecordsAndStopsAtOpenQuotes) {
    const std::pair<std::string, std::string> rows[] = {
        {"a,b\n" + std::string(30, 'x') + "\n1,2\n", "1:a|b / 2:! / 3:1|2"},
        {"a,b\n1,2\n\"open,3\n4\n", "第 3 行的引号没有闭合"},
        {"a,b\n1,\"" + std::string(30, 'x') + "\"\n", "第 2 行的引号没有闭合（引号内的文字超过"},
    };
    for (const auto& [text, expected] : rows) {
        MemorySource source{text, 7};
        try {
            EXPECT_EQ(readAll(source, 24), expected);
        } catch (const BatchError& error) {
            EXPECT_TRUE(std::string{error.what()}.starts_with(expected)) << error.what();
        }
    }
}

// "点Ⅰ纬度,备注" as a spreadsheet on a Chinese system saves it.
const std::string kGb18030Header = "\xb5\xe3\xa2\xf1\xce\xb3\xb6\xc8,\xb1\xb8\xd7\xa2";

TEST(TextEncoding, AutoTellsUtf8FromGb18030AndNamesTheLineNeitherReads) {
    const std::tuple<std::string, bool, std::string> rows[] = {
        {"a,b\n北,\n", true, "UTF-8"},
        {"a\n" + kGb18030Header + "\n", true, "GB18030"},
        {"\xEF\xBB\xBF" + kGb18030Header, true, "UTF-8"},  // the byte order mark decides
        {"a,\xe5\x8c", false, "UTF-8"},                    // cut at the 64 KiB edge
        {"a,\xe5", true, "line 1"},
        {"\x81\x30\x81\x30,\x90\x30\x81\x30", true, "GB18030"},  // four-byte forms
        {"a\n\x84\x31\xA5\x30\n", true, "line 2"},  // between the BMP and the other planes
        {"a\nb\xb1\xb1\n\x80\n", true, "line 3"},   // 0x80 is in neither
    };
    for (const auto& [text, complete, expected] : rows) {
        const auto found = detectEncoding(text, complete);
        const auto* line = std::get_if<UnreadableLine>(&found);
        EXPECT_EQ(line != nullptr ? "line " + std::to_string(line->line)
                  : std::get<TextEncoding>(found) == TextEncoding::Utf8 ? "UTF-8"
                                                                        : "GB18030",
                  expected)
            << text;
    }
}

TEST(BatchColumns, FindsTheColumnsByName) {
    using Names = std::vector<std::string_view>;
    const auto positions = [](const Names& header) {
        const auto found = findColumns(header, resultColumns({}));
        if (!found) {
            return found.error();
        }
        const BatchColumns& columns = found.value();
        std::string shown;
        for (const auto& position : columns.position) {
            shown += position ? std::to_string(*position) : "-";
        }
        return shown + (columns.width < columns.headerWidth ? " in place" : "");
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
    // A file this run wrote: its results recomputed; a result column elsewhere is refused.
    EXPECT_EQ(positions({"lat1", "lon1", "lat2", "lon2", "km", "nmi", "angle", "Error"}),
              "0123----- in place");
    EXPECT_TRUE(positions({"lat1", "lon1", "lat2", "lon2", "km", "nmi", "error", "angle"})
                    .starts_with("表头第 5 列的 km 是结果列的名字"));
}

// An extra column for the run to place: point 1's latitude in degrees, and the reference's.
class LatitudeColumns final : public ColumnProvider {
  public:
    std::vector<std::string_view> names() const override { return {"lat1_deg", "latr_deg"}; }
    void fill(const DecodedPoints& points, bool withReference,
              std::span<std::string> fields) const override {
        fields[0] = std::to_string(static_cast<int>(points.point1.latitude));
        if (withReference) {
            fields[1] = std::to_string(static_cast<int>(points.reference.latitude));
        }
    }
};

// The whole run in memory: the entries decoded, a message in the error column, a blank record
// copied through, the provider's fields beside a computed angle only, the rows counted.
TEST(BatchRun, RunsAFileFromMemoryWithAnExtraColumn) {
    MemorySource source{
        "lat1,lon1,lat2,lon2,latr,lonr\r\n"
        "4250.0,9338.80,4250.0,9440.0,,\r\n"
        "\r\n"
        "3100.0,12000.0,2900.0,12000.0,3000.0,12100.0\r\n"
        "9338.80,0,0,0,,\r\n",
        3};
    CsvReader reader{source};
    Utf8Codec utf8;
    const LatitudeColumns latitudes;
    BatchSettings settings;
    settings.extraColumns = {&latitudes};
    BatchRun run{reader, utf8, settings};
    ASSERT_TRUE(run.readHeader());
    StringSink sink;
    std::vector<std::uint64_t> progress;
    const BatchCounts counts = run.run(sink, BatchOutput{.codec = &utf8},
                                       [&](std::uint64_t rows) { progress.push_back(rows); });
    EXPECT_EQ(sink.text(),
              "lat1,lon1,lat2,lon2,latr,lonr,km,nmi,angle,error,lat1_deg,latr_deg\r\n"
              "4250.0,9338.80,4250.0,9440.0,,,83.174,44.91,,,42,\r\n"
              "\r\n"
              "3100.0,12000.0,2900.0,12000.0,3000.0,12100.0,222.39,120.081,98.251,,31,30\r\n"
              "9338.80,0,0,0,,,,,,点Ⅰ纬度的输入“9338.80”超出范围：纬度须在 -90 到 90 "
              "度之间（南纬为负）。,,\r\n");
    EXPECT_EQ(counts.rows, 3U);
    EXPECT_EQ(counts.failed, 1U);
    EXPECT_EQ(progress, (std::vector<std::uint64_t>{1, 2, 3}));
}

// A header without its columns is a result to show, not an exception.
TEST(BatchRun, NamesWhatTheHeaderLacks) {
    MemorySource source{"lat1,lon1\n1,2\n", 64};
    CsvReader reader{source};
    Utf8Codec utf8;
    BatchRun run{reader, utf8, BatchSettings{}};
    const auto header = run.readHeader();
    ASSERT_FALSE(header);
    EXPECT_TRUE(header.error().starts_with("表头缺少 lat2、lon2 列")) << header.error();
}
}  // namespace
}  // namespace orvanto::batch
