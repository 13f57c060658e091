// What one run of orvanto-cli is asked to do, as its command line gave it (cli_arguments.h reads
// it, options.h lists the commands and options).
#pragma once

#include <optional>
#include <string>

#include "calculator/calculation.h"
#include "calculator/format_thousandths.h"
#include "navigation/table_format.h"

namespace orvanto::cli {

enum class Action { Help, Version, Distance, Angle, Batch, Course, Route };

// The input's encoding; `auto` looks at the file (gbk, gb2312 and cp936 are read as GB18030, which
// covers them; utf-16 is little- or big-endian by its byte order mark).
enum class Encoding { Auto, Utf8, Gb18030, Utf16 };
// The output's; by default the input's, its byte order mark kept (UTF-8 on a terminal). utf-16 is
// little-endian with a byte order mark.
enum class OutputEncoding { Input, Utf8, Utf8Bom, Gb18030, Utf16 };

// The file batch reads and writes, and the waypoint file route reads, with their encodings.
struct FileOptions {
    std::string inputPath = "-";   // "-" is standard input
    std::string outputPath = "-";  // "-" is standard output
    Encoding encoding = Encoding::Auto;
    OutputEncoding outputEncoding = OutputEncoding::Input;
};

struct Request {
    Action action = Action::Help;
    // The entries in box order and the points' modes: distance reads points 1 and 2, angle all
    // three, course points 1 and 2; batch takes the modes as the default of rows that name none.
    CalculatorInput input;
    // How distance, angle and batch write their numbers (--format=plain|window); window texts by
    // default for distance and angle, plain numbers for batch.
    NumberStyle numberStyle = NumberStyle::Window;
    // How course and route write their tables (--format=text|csv|tsv); unset means text for
    // course, and for route text on a terminal and CSV otherwise.
    std::optional<navigation::TableFormat> tableFormat;
    std::optional<double> variation;  // degrees, east positive: adds the magnetic courses
    FileOptions files;
    bool geodesicColumns = false;  // batch --geodesic
    bool courseColumns = false;    // batch --navigation: the columns of course --format=tsv
    bool allSeconds = false;       // route --seconds: waypoints in 秒 unless their mode says
    std::string gpxPath;           // empty: no GPX file
    std::string geojsonPath;       // empty: no GeoJSON file
};

}  // namespace orvanto::cli
