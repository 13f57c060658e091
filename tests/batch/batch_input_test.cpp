// How batch files are read and run: the CSV/TSV scanner, how `auto` tells the encodings apart, the
// header's columns, and a whole run in memory, as a front end with no files of its own runs one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "batch/batch_columns.h"
#include "batch/batch_run.h"
#include "batch/block_computer.h"
#include "batch/block_writer.h"
#include "batch/csv_reader.h"
#include "batch/input_output_error.h"
#include "batch/memory_streams.h"
#include "batch/utf16_streams.h"

namespace orvanto::batch {
namespace {

using namespace std::string_literals;

// Each record as "line:field|field", "*" when it cannot be copied verbatim, "!" when too long,
// "+cr" for a CRLF end, "+r" for a lone CR, "+eof" for a last line without a line end; records
// separated by " / ". The delimiter is the one that gives the header a field lat1. With `most`,
// the plain lines after each record are taken and cut as a run takes them.
std::string readAll(ByteSource& source, std::size_t bufferSize,
                    std::optional<CsvReader::Most> most = {}) {
    CsvReader reader{source, bufferSize};
    reader.chooseDelimiterBy([](std::span<const std::string_view> header) {
        return std::find(header.begin(), header.end(), "lat1") != header.end();
    });
    CsvRecord record;
    std::string shown;
    const auto show = [&] {
        shown += (shown.empty() ? "" : " / ") + std::to_string(record.line) + ":";
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            shown += (i > 0 ? "|" : "") + std::string{record.fields[i]};
        }
        shown += record.tooLong ? "!" : record.verbatim ? "" : "*";
        shown += record.lineEnd == "\r\n" ? "+cr"
                 : record.lineEnd == "\r" ? "+r"
                 : record.lineEnd.empty() ? "+eof"
                                          : "";
    };
    while (reader.next(record)) {
        show();
        std::size_t line = 0;
        std::string_view lines = most ? reader.takePlainLines(*most, line) : std::string_view{};
        for (; !lines.empty(); ++line) {
            cutPlainLine(lines, reader.delimiter(), line, record);
            show();
        }
    }
    return shown;
}

// Every input is read whole, a byte at a time and seven at a time, with records of up to 1 MiB and
// of up to 24 bytes (so that they cross the buffer's end), record by record and with plain lines
// taken by the block: the records, and the error that stops a run, must not depend on where a
// read stops or on how they are cut.
std::string readEveryWay(const std::string& text, std::initializer_list<std::size_t> largest = {
                                                      24, CsvReader::kDefaultLargestRecord}) {
    std::string first;
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
        for (const std::size_t buffer : largest) {
            for (const auto most :
                 {std::optional<CsvReader::Most>{},
                  std::optional<CsvReader::Most>{{.bytes = 20, .lines = 2}},
                  std::optional<CsvReader::Most>{{.bytes = 65536, .lines = 100}},
                  std::optional<CsvReader::Most>{{.bytes = 4096, .lines = 4096}}}) {
                MemorySource source{text, chunk};
                std::string shown;
                try {
                    shown = readAll(source, buffer, most);
                } catch (const InputOutputError& error) {
                    shown = error.what();
                }
                EXPECT_TRUE(first.empty() || shown == first) << "chunk " << chunk << ": " << shown;
                first = shown;
            }
        }
    }
    return first;
}

// Short texts are copied in words that overlap: every length must give the bytes and no more.
TEST(BlockWriter, CopiesTextsOfEveryLength) {
    const std::string source = "0123456789abcdefghijklmnopqrstuvwxyz+-*/";
    for (std::size_t count = 0; count <= source.size(); ++count) {
        std::string target(source.size() + 2, '#');
        copyBytes(target.data() + 1, source.data(), count);
        EXPECT_EQ(target,
                  "#" + source.substr(0, count) + std::string(source.size() + 1 - count, '#'))
            << count;
    }
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
        {"a,b\n\"1\n2\",3\n4,5\n", "1:a|b / 2:1\n2|3* / 4:4|5"},   // line numbers go on inside
        {"a,b\n\n1,2\n\n", "1:a|b / 2: / 3:1|2 / 4:"},             // a blank line is a record
        {"a\tb,c\n1,5\t\"2\"\n", "1:a|b,c / 2:1,5|2*"},            // the header's tab makes TSV
        {"\"a\"b,c d,\n", "1:ab|c d|*"},                           // text after a quote is kept
        {"a\rb,\"\"\r\"c\rd\"\r", "1:a+r / 2:b|*+r / 3:c\rd*+r"},  // a lone CR ends a line
        {"\"a\r\nb\"\r\n", "1:a\r\nb*+cr"},
        {"\n \r\n,;\t\ra\n", "4:a"},                      // blank lines before the header are none
        {"\xEF\xBB\xBF\n\"x,y\";lat1\n", "2:x,y|lat1*"},  // the header decides the delimiter
        {"\"a\"\"b\"c;\"lat1\"\n", "1:a\"bc|lat1*"},
        {"x, y\tlat1\n1,2\t3\n", "1:x, y|lat1 / 2:1,2|3"},
        {"x, y\tlat2\n", "1:x| y\tlat2"},  // no delimiter gives lat1: the first comma or tab
        {"\"a\"", "1:a*+eof"},
        {"lat1;lon1\r\n12345678;1234;\r\n\r\n;1;;2\n",
         "1:lat1|lon1+cr / "
         "2:12345678|1234|+cr / 3:+cr / 4:|1||2"},
        {"", ""},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(readEveryWay(text), expected) << text;
    }
}

// Lines taken a hundred at a time from kilobytes of them: the hundredth line feed lies past the
// first kilobyte, which is counted rather than searched.
TEST(CsvReader, TakesAHundredLinesFromKilobytesOfThem) {
    std::string text = "lat1,lon1\n";
    for (int i = 0; i < 350; ++i) {
        text += std::to_string(i) + ",1234.5678901234567890123456789\n";
    }
    EXPECT_NE(readEveryWay(text, {CsvReader::kDefaultLargestRecord})
                  .find("350:348|1234.5678901234567890123456789 / 351:349|"),
              std::string::npos);
}

// With records of up to 24 bytes: one longer is passed over, and one with a quote in its first 25
// bytes stops the run, for its quote may never close.
TEST(CsvReader, PassesOverLongRecordsAndStopsAtOpenQuotes) {
    const std::string x22(22, 'x');
    const std::string x24(24, 'x');
    const std::string tooLong = "第 2 行起的记录超过 0 KiB，其中的引号可能没有闭合";
    const std::pair<std::string, std::string> rows[] = {
        {"a,b\n" + x24 + "\n" + x24 + "y\r\n1,2\n", "1:a|b / 2:" + x24 + " / 3:! / 4:1|2"},
        {"a,b\r" + x24 + "\r" + x24 + "y\r1,2", "1:a|b+r / 2:" + x24 + "+r / 3:! / 4:1|2+eof"},
        {"a,b\n" + x24 + "y\"\n1,2\n", "1:a|b / 2:! / 3:1|2"},  // the quote past the 25th byte
        {"a,b\n" + x24 + "\"y\n1,2\n", tooLong},
        {"a,b\n\"" + x22 + "\"\n1,2\n", "1:a|b / 2:" + x22 + "* / 3:1|2"},
        {"a,b\n\"" + x22 + "x\"\n1,2\n", tooLong},
        {"a,b\n1,\"" + std::string(30, 'x'), tooLong},
        {"a,b\n1,2\n\"open,3\n4\n", "第 3 行的引号没有闭合"},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(readEveryWay(text, {24}), expected) << text;
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
        {"a\n\x84\x31\xA5\x30\n", true, "line 2"},   // between the BMP and the other planes
        {"a\rb\xb1\xb1\r\n\x80\n", true, "line 3"},  // 0x80 is in neither
    };
    for (const auto& [text, complete, expected] : rows) {
        const auto found = detectEncoding(text, complete);
        EXPECT_EQ(!found ? "line " + std::to_string(found.error().line)
                  : found.value() == TextEncoding::Utf8 ? "UTF-8"
                                                        : "GB18030",
                  expected)
            << text;
    }
}

// UTF-16 read as UTF-8 a byte at a time, so that pairs and units are cut everywhere: "LE:", "BE:"
// or "raw:" for bytes passed through, then the text.
std::string readUtf16(const std::string& bytes, Utf16Source::Detection detection) {
    MemorySource raw{bytes, 1};
    Utf16Source source{raw, detection};
    const auto order = source.byteOrder();
    std::string text = !order ? "raw:" : *order == ByteOrder::LittleEndian ? "LE:" : "BE:";
    char block[kMinimumRead];
    while (const std::size_t count = source.read(block, sizeof block)) {
        text.append(block, count);
    }
    return text;
}

TEST(Utf16Streams, ReadAsUtf8ByTheByteOrderMarkAndWrittenBack) {
    using Detection = Utf16Source::Detection;
    const std::tuple<std::string, Detection, std::string> rows[] = {
        {"\xFF\xFE"
         "a\0,\0\x17\x53\r\0\n\0"s,
         Detection::ByteOrderMark,
         "LE:\uFEFF"
         "a,北\r\n"},
        {"\xFE\xFF\0a\xD8\x42\xDF\xB7"s, Detection::ByteOrderMark,
         "BE:\uFEFF"
         "a𠮷"},
        // A lone surrogate and an odd last byte are bytes no UTF-8 text holds.
        {"a\0\x42\xD8"
         "b\0\x01"s,
         Detection::Always,
         "LE:a\xFF"
         "b\xFF"},
        {"a\0b\0"s, Detection::ByteOrderMark, "raw:a\0b\0"s},
        {"\xFF\xFE"s, Detection::Never, "raw:\xFF\xFE"},
    };
    for (const auto& [bytes, detection, expected] : rows) {
        EXPECT_EQ(readUtf16(bytes, detection), expected) << expected;
    }
    StringSink written;
    Utf16Sink sink{written, ByteOrder::BigEndian};
    sink.write(
        "\uFEFF"
        "a𠮷\xFF");
    EXPECT_EQ(written.text(), "\xFE\xFF\0a\xD8\x42\xDF\xB7\xFF\xFD"s);
}

TEST(BatchColumns, FindsTheColumnsByName) {
    using Names = std::vector<std::string_view>;
    const auto positions = [](const Names& header) {
        const std::string_view others[] = {"geodesic_km", "geodesic_angle"};
        const auto found = findColumns(header, resultColumns({}), others);
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
    EXPECT_EQ(positions({"点I纬度", "点Ｉ经度", "点II纬度", "点ＩＩ经度", "点III纬度"}),
              "0123-----");
    EXPECT_TRUE(positions({"lat1", "lon2", "x"}).starts_with("表头缺少 lon1、lat2 列"));
    EXPECT_TRUE(
        positions({"lat1", "lon1", "lat2", "lon2", "latr"}).starts_with("表头中 latr 和 lonr"));
    EXPECT_EQ(positions({"lat1", "lon1", "lat2", "lon2", "点Ⅰ纬度"}),
              "表头中的 lat1 列出现了两次（第 1 列和第 5 列）");
    // A file any run wrote: its results replaced; a result column elsewhere is refused.
    EXPECT_EQ(positions({"lat1", "lon1", "lat2", "lon2", "km", "nmi", "angle", "Error"}),
              "0123----- in place");
    EXPECT_EQ(positions({"lat1", "lon1", "lat2", "lon2", "km", "nmi", "angle", "error",
                         "geodesic_km", "geodesic_angle"}),
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

// A whole run in memory, read 5 bytes at a time: what it writes, then "!" and the message when it
// stops. In one go, or, with `mostRecords`, cut into blocks of so many records computed apart.
std::string runFile(const std::string& input, bool byteOrderMark, std::size_t mostRecords = 0) {
    MemorySource source{input, 5};
    CsvReader reader{source};
    Utf8Codec utf8;
    BatchSettings settings;
    settings.otherResultColumns = {"lat1_deg"};
    BatchRun run{reader, utf8, settings};
    StringSink sink;
    try {
        if (!run.readHeader()) {
            return "header";
        }
        const BatchOutput output{.codec = &utf8, .byteOrderMark = byteOrderMark};
        if (mostRecords == 0) {
            run.run(sink, output, [](std::uint64_t) {});
            return sink.text();
        }
        run.begin(sink, output);
        BlockComputer computer{run.rowFormat(), {.input = utf8, .output = utf8}};
        RecordBlock block;
        ComputedBlock computed{run.rowFormat()};
        while (run.cutBlock(block, mostRecords)) {
            computer.compute(block, computed);
            run.writeBlock(computed);
        }
        run.finish();
    } catch (const InputOutputError& error) {
        return sink.text() + "!" + error.what();
    }
    return sink.text();
}

// Whole runs of files as spreadsheets save them: the bytes that do not decode as the output
// allows, a header behind blank lines and semicolons with the labels typed in ASCII, an earlier
// run's columns replaced. In blocks they are the same bytes, and so is what a run that stops at a
// quote never closed has written by then (its rows written at the same points).
TEST(BatchRun, RunsSpreadsheetFilesAndReplacesEarlierResults) {
    const std::string badByte = "lat1,lon1,lat2,lon2,n\n0,0,0,100,\xff\n";
    const std::string unread = "0,0,0,100,\xff,,,,第 2 行不是有效的 UTF-8 文本，本行未计算";
    std::string stopped = "lat1,lon1,lat2,lon2,n\n";
    for (int i = 0; i < 20000; ++i) {
        stopped += i % 7 == 0 ? "\"q\",0,0,1,x,y\n" : i % 5 == 0 ? ",,\n" : "0,0,0,100,\xfe\n";
    }
    const std::tuple<std::string, bool, std::string> rows[] = {
        {badByte, false, "lat1,lon1,lat2,lon2,n,km,nmi,angle,error\n" + unread + "\n"},
        {badByte, true,
         "\uFEFFlat1,lon1,lat2,lon2,n,km,nmi,angle,error\n0,0,0,100,\uFFFD,,,,第 2 行不是有效的 "
         "UTF-8 文本，本行未计算；无法解码的字节在输出中写作 U+FFFD\n"},
        {"\r,,\r点I纬度;点I经度;点II纬度;点ＩＩ经度;mode2;km;nmi;angle;error;lat1_deg\r"
         "0;0;0;10000;ｓ;1;2;3;;4\r",
         false,
         "点I纬度;点I经度;点II纬度;点ＩＩ经度;mode2;km;nmi;angle;error\r"
         "0;0;0;10000;ｓ;111.195;60.04;;\r"},
        {stopped + "\"open\n", false, "!第 20002 行的引号没有闭合"},
        // A return alone ends a line among lines that end in CR LF, and lines are counted alike
        // in blocks whatever their ends.
        {"lat1,lon1,lat2,lon2,n\r\n0,0,0,100,a\r\n\r\n1,1,1,1,b\r0,0,0,1,c\r\n,,\n0,0,0,2,\xff",
         false, "0,0,0,2,\xff,,,,第 7 行不是有效的 UTF-8 文本，本行未计算\r\n"},
    };
    for (const auto& [input, byteOrderMark, expected] : rows) {
        const std::string whole = runFile(input, byteOrderMark);
        EXPECT_TRUE(whole == expected || whole.ends_with(expected)) << whole.substr(0, 200);
        for (const std::size_t mostRecords : {1U, 3U, 4096U}) {
            EXPECT_TRUE(runFile(input, byteOrderMark, mostRecords) == whole) << mostRecords;
        }
    }
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
