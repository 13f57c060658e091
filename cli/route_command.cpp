#include "cli/route_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "batch/batch_error.h"
#include "batch/utf16_streams.h"
#include "calculator/messages.h"
#include "cli/encoding_choice.h"
#include "cli/exit_status.h"
#include "cli/file_streams.h"
#include "cli/geojson_writer.h"
#include "cli/gpx_writer.h"
#include "cli/great_circle_path.h"
#include "cli/output_file.h"
#include "cli/route_legs.h"
#include "cli/route_table.h"
#include "cli/route_waypoints.h"
#include "text/code_points.h"
#include "text/printable.h"

namespace orvanto::cli {

using batch::BatchError;
using batch::TextEncoding;

namespace {

constexpr double kLineStepKilometres = 10;

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Writing over the waypoint file would lose it, and the two outputs over each other one of them.
std::optional<std::string> outputPathProblem(const Request& request) {
    const NavigationOptions& options = request.navigation;
    for (const std::string* path : {&options.gpxPath, &options.geojsonPath}) {
        if (!path->empty() && request.batch.inputPath != "-" &&
            sameFile(*path, request.batch.inputPath)) {
            return "输出文件“" + *path + "”就是航点文件，写入会毁掉它；请另选文件";
        }
    }
    if (!options.gpxPath.empty() && options.gpxPath == options.geojsonPath) {
        return "--gpx 和 --geojson 须是两个不同的文件";
    }
    return std::nullopt;
}

// The route's name in the files: the input file's name without its folder and extension.
std::string routeName(const std::string& inputPath) {
    return inputPath == "-" ? "航线" : std::filesystem::path{inputPath}.stem().string();
}

// The great circles of all legs as one line, each leg's longitudes shifted by whole turns so that
// it starts where the one before ended.
std::vector<ChartPoint> routeLine(const std::vector<RoutePoint>& points) {
    std::vector<ChartPoint> line;
    for (std::size_t i = 1; i < points.size(); ++i) {
        auto leg = greatCirclePath(points[i - 1].position, points[i].position, kLineStepKilometres);
        const double shift = line.empty() ? 0.0 : line.back().longitude - leg.front().longitude;
        for (std::size_t j = line.empty() ? 0 : 1; j < leg.size(); ++j) {
            line.push_back({leg[j].latitude, leg[j].longitude + shift});
        }
    }
    return line;
}

// The waypoints and how their file is written, for the table to be written alike.
struct RouteInput {
    std::vector<Waypoint> waypoints;
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
};

// The waypoints, or what is wrong with the file's text or header; BatchError when it cannot be
// read.
Expected<RouteInput, std::string> readInput(const Request& request, const InputFile& input) {
    const std::string& path = request.batch.inputPath;
    InputText text{input.fd(), path == "-" ? "标准输入" : "“" + path + "”", request.batch.encoding};
    const auto encoding = text.chooseEncoding();
    if (!encoding) {
        return unexpected(encoding.error());
    }
    Codecs codecs;
    const EntryMode mode = request.navigation.allSeconds ? EntryMode::Seconds : EntryMode::Minutes;
    auto waypoints = readWaypoints(text.reader(), codecs[encoding.value()], mode);
    if (!waypoints) {
        return unexpected(waypoints.error());
    }
    if (waypoints.value().size() < 2) {
        return unexpected("航线至少要有两个航点，" + text.file().name() + "中只有 " +
                          std::to_string(waypoints.value().size()) + " 个");
    }
    return RouteInput{std::move(waypoints.value()), encoding.value(),
                      text.reader().hadByteOrderMark()};
}

// The table in the encoding asked for, else the waypoint file's (UTF-8 on a terminal).
std::string encodedTable(const std::string& table, const Request& request, const RouteInput& input,
                         bool terminal) {
    const OutputText written = chooseOutputEncoding(request.batch.outputEncoding, input.encoding,
                                                    input.byteOrderMark, terminal);
    const std::string text =
        (written.byteOrderMark ? std::string{kUtf8ByteOrderMark} : std::string{}) + table;
    std::string encoded;
    if (const auto order = utf16Order(written.encoding)) {
        batch::appendUtf16(text, *order, encoded);
    } else if (written.encoding == TextEncoding::Gb18030) {
        Codecs codecs;
        codecs[TextEncoding::Gb18030].appendEncoded(text, encoded);
    } else {
        encoded = text;
    }
    return encoded;
}

// Written as batch writes its output: a temporary file renamed over the target once complete.
void writeRouteFile(const std::string& path, const InputFile& input, const std::string& bytes) {
    OutputFile output{path, input.fd()};
    FileSink sink{output.fd(), output.name()};
    sink.write(bytes);
    output.commit();
}

// Writes the GPX and GeoJSON files asked for; false when a waypoint cannot be read and so none is.
bool writeRouteFiles(const Request& request, const RoutePlan& plan, const InputFile& input) {
    const NavigationOptions& options = request.navigation;
    bool written = true;
    for (const std::string* path : {&options.gpxPath, &options.geojsonPath}) {
        if (path->empty()) {
            continue;
        }
        if (plan.points.empty()) {
            std::cerr << "orvanto-cli：有航点无法读取，没有写出“" << printable(*path) << "”\n";
            written = false;
            continue;
        }
        const std::string name = routeName(request.batch.inputPath);
        writeRouteFile(*path, input,
                       path == &options.gpxPath
                           ? gpxRoute(name, plan.points)
                           : geojsonRoute(name, plan.points, routeLine(plan.points)));
    }
    return written;
}

}  // namespace

int runRoute(const Request& request) {
    const auto failed = [](std::string_view problem) {
        std::cerr << "orvanto-cli：" << printable(problem) << "\n";
        return kExitFailure;
    };
    try {
        if (const auto problem = outputPathProblem(request)) {
            return failed(*problem);
        }
        const InputFile input{request.batch.inputPath, "无法打开航点文件"};
        const auto read = readInput(request, input);
        if (!read) {
            return failed(read.error());
        }
        const RoutePlan plan = planRoute(read.value().waypoints);
        const bool terminal = ::isatty(STDOUT_FILENO) == 1;
        const TableFormat format =
            request.navigation.table.value_or(terminal ? TableFormat::Text : TableFormat::Csv);
        const std::string table = routeTable(plan.legs, request.navigation.variation, format,
                                             terminal || format == TableFormat::Text);
        // Out before the files, should one of them be standard output too.
        std::cout << encodedTable(table, request, read.value(), terminal) << std::flush;
        std::size_t failedLegs = 0;
        for (const RouteLeg& leg : plan.legs) {
            failedLegs += leg.error.empty() ? 0U : 1U;
        }
        const bool filesWritten = writeRouteFiles(request, plan, input);
        if (failedLegs > 0) {
            std::cerr << "orvanto-cli：" << plan.legs.size() << " 段航线中有 " << failedLegs
                      << " 段未能全部算出，原因见 error 列\n";
        }
        return failedLegs > 0 || !filesWritten ? kExitRowErrors : kExitSuccess;
    } catch (const BatchError& error) {
        return failed(error.what());
    }
}

}  // namespace orvanto::cli
