// The command line of orvanto-cli:
//
//   orvanto-cli distance [--seconds=LIST] [--format=plain|window] LAT1 LON1 LAT2 LON2
//   orvanto-cli angle    [--seconds=LIST] [--format=plain|window] LAT1 LON1 LAT2 LON2 LATR LONR
//   orvanto-cli batch    [--seconds=LIST] [--format=plain|window]
//                        [--encoding=auto|utf-8|gb18030|gbk|gb2312|cp936|utf-16]
//                        [--output-encoding=utf-8|utf-8-bom|gb18030|utf-16]
//                        [--geodesic] [--navigation [--variation=V]] [--output=FILE] [FILE|-]
//   orvanto-cli course   [--seconds=LIST] [--format=text|tsv] [--variation=V] LAT1 LON1 LAT2 LON2
//   orvanto-cli route    [--seconds] [--format=text|csv|tsv]
//                        [--encoding=auto|utf-8|gb18030|gbk|gb2312|cp936|utf-16]
//                        [--output-encoding=utf-8|utf-8-bom|gb18030|utf-16] [--gpx=FILE]
//                        [--geojson=FILE] [--variation=V] [FILE|-]
//   orvanto-cli --help | -h | --version
//
// Arguments that start with "--" are options, anywhere up to a "--" argument, which ends them;
// every other argument (but "-h") is taken exactly as typed, so "-4250.0" is an entry and "" an
// empty entry. LIST names the points whose entries are in seconds mode, comma-separated from 1, 2
// and r; the others are in minutes mode (for batch: the default where a row names no mode).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "calculator/calculation.h"
#include "calculator/format_thousandths.h"
#include "text/expected.h"

namespace orvanto::cli {

enum class Action { Help, Version, Distance, Angle, Batch, Course, Route };

// The input's encoding; `auto` looks at the file (gbk, gb2312 and cp936 are read as GB18030, which
// covers them; utf-16 is little- or big-endian by its byte order mark).
enum class Encoding { Auto, Utf8, Gb18030, Utf16 };
// The output's; by default the input's, its byte order mark kept (UTF-8 on a terminal). utf-16 is
// little-endian with a byte order mark.
enum class OutputEncoding { Input, Utf8, Utf8Bom, Gb18030, Utf16 };

struct BatchOptions {
    std::string inputPath = "-";   // "-" is standard input
    std::string outputPath = "-";  // "-" is standard output
    Encoding encoding = Encoding::Auto;
    OutputEncoding outputEncoding = OutputEncoding::Input;
    bool geodesic = false;    // add the WGS-84 geodesic columns
    bool navigation = false;  // add the courses of the course command (with --variation)
};

// How course and route write their results; unset means text for course, and for route text on a
// terminal and CSV otherwise.
enum class TableFormat { Text, Csv, Tsv };

// The options of course and route (navigation_arguments.h reads them). A route's input file and
// its encodings are in BatchOptions, read and written as batch reads and writes its file.
struct NavigationOptions {
    std::optional<TableFormat> table;
    std::optional<double> variation;  // degrees, east positive: adds the magnetic courses
    bool allSeconds = false;          // route --seconds: waypoints in 秒 unless their mode says
    std::string gpxPath;              // empty: no GPX file
    std::string geojsonPath;          // empty: no GeoJSON file
};

struct Request {
    Action action = Action::Help;
    // The entries in box order and the points' modes; the reference point stays empty for
    // distance, and batch uses the modes only.
    CalculatorInput input;
    // Window texts by default for distance and angle, plain numbers for batch.
    NumberStyle format = NumberStyle::Window;
    BatchOptions batch;
    NavigationOptions navigation;
};

struct UsageError {
    std::string problem;  // what was wrong, for the user
};

// An --encoding value (auto, utf-8, gb18030, gbk, gb2312, cp936 or utf-16, in any case), and an
// --output-encoding one (utf-8, utf-8-bom, gb18030 or utf-16), if it is one.
std::optional<Encoding> encodingNamed(std::string_view name);
std::optional<OutputEncoding> outputEncodingNamed(std::string_view name);

// Reads the arguments after the program name.
Expected<Request, UsageError> parseArguments(std::span<const std::string_view> arguments);

// The full help text, and the one-line reminder shown after a usage error.
std::string_view helpText();
std::string_view usageSummary();

}  // namespace orvanto::cli
