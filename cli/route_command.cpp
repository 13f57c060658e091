#include "cli/route_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "batch/input_output_error.h"
#include "batch/memory_streams.h"
#include "batch/text_encoding.h"
#include "batch/utf16_streams.h"
#include "calculator/messages.h"
#include "cli/encoding_choice.h"
#include "cli/exit_status.h"
#include "cli/file_streams.h"
#include "cli/local_time.h"
#include "cli/output_file.h"
#include "cli/text_file_input.h"
#include "navigation/compass_error.h"
#include "passage/deviation_card.h"
#include "passage/geojson_writer.h"
#include "passage/gpx_waypoints.h"
#include "passage/gpx_writer.h"
#include "passage/route_table.h"
#include "passage/route_waypoints.h"
#include "passage/sailed_route.h"
#include "text/code_points.h"
#include "text/printable.h"

namespace orvanto::cli {

using batch::InputOutputError;
using batch::TextEncoding;
using passage::geojsonRoute;
using passage::gpxRoute;
using passage::readWaypoints;
using passage::RouteTableSettings;
using passage::SailedRoute;
using passage::SailingPlan;
using passage::TableFormat;
using passage::WaypointFile;

namespace {

constexpr std::size_t kGpxReadBlock = 1 << 16;

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Writing over the waypoint file or the deviation card would lose it, and the two outputs over
// each other one of them.
Expected<void, std::string> checkOutputPaths(const Request& request) {
    for (const std::string* path : {&request.gpxPath, &request.geojsonPath}) {
        for (const std::string* input : {&request.files.inputPath, &request.deviationCardPath}) {
            if (!path->empty() && !input->empty() && *input != "-" && sameFile(*path, *input)) {
                return unexpected("输出文件“" + *path + "”就是" +
                                  (input == &request.files.inputPath ? "航点文件" : "自差表") +
                                  "，写入会毁掉它；请另选文件");
            }
        }
    }
    if (!request.gpxPath.empty() && request.gpxPath == request.geojsonPath) {
        return unexpected(std::string{"--gpx 和 --geojson 须是两个不同的文件"});
    }
    return {};
}

// The route's name in the files: the input file's name without its folder and extension.
std::string routeName(const std::string& inputPath) {
    return inputPath == "-" ? "航线" : std::filesystem::path{inputPath}.stem().string();
}

// The waypoints and how their file is written, for the table to be written alike.
struct RouteInput {
    WaypointFile file;
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
};

// A GPX file's points, read whole and turned into a waypoint file's lines; UTF-8 as GPX is.
Expected<RouteInput, std::string> readGpxInput(const Request& request, TextFileInput& input) {
    FileSource file{input.fd(), input.name()};
    std::string bytes;
    std::array<char, kGpxReadBlock> block{};
    while (const std::size_t count = file.read(block.data(), block.size())) {
        bytes.append(block.data(), count);
    }
    const auto gpx = passage::waypointsFromGpx(bytes);
    if (!gpx) {
        return unexpected(file.name() + "：" + gpx.error());
    }
    if (gpx.value().note) {
        std::cerr << "orvanto-cli：" << file.name() << "：" << *gpx.value().note << "\n";
    }
    batch::MemorySource source{gpx.value().waypointFile};
    batch::CsvReader reader{source};
    batch::Utf8Codec utf8;
    const EntryMode mode = request.allSeconds ? EntryMode::Seconds : EntryMode::Minutes;
    auto waypoints = readWaypoints(reader, utf8, mode);
    if (!waypoints) {
        return unexpected(waypoints.error());
    }
    // Messages name the lines of the GPX file, not of the lines made from it.
    for (passage::Waypoint& waypoint : waypoints.value().waypoints) {
        waypoint.line = gpx.value().lines[waypoint.line - 2];
    }
    if (auto counted = passage::enoughWaypoints(waypoints.value(), file.name()); !counted) {
        return unexpected(counted.error());
    }
    return RouteInput{std::move(waypoints.value()), TextEncoding::Utf8, false};
}

// The waypoints, or what is wrong with the file's text or header; InputOutputError when it cannot
// be read.
Expected<RouteInput, std::string> readInput(const Request& request, TextFileInput& input) {
    if (passage::isGpxFileName(request.files.inputPath)) {
        return readGpxInput(request, input);
    }
    const auto encoding = input.chooseEncoding();
    if (!encoding) {
        return unexpected(encoding.error());
    }
    const EntryMode mode = request.allSeconds ? EntryMode::Seconds : EntryMode::Minutes;
    auto waypoints = readWaypoints(input.reader(), input.codec(), mode);
    if (!waypoints) {
        return unexpected(waypoints.error());
    }
    if (auto counted = passage::enoughWaypoints(waypoints.value(), input.name()); !counted) {
        return unexpected(counted.error());
    }
    return RouteInput{std::move(waypoints.value()), encoding.value(),
                      input.reader().hadByteOrderMark()};
}

// The table in the encoding asked for, else the waypoint file's (UTF-8 on a terminal).
std::string encodedTable(const std::string& table, const Request& request, const RouteInput& input,
                         bool terminal) {
    const OutputText written = chooseOutputEncoding(request.files.outputEncoding, input.encoding,
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
void writeRouteFile(const std::string& path, const TextFileInput& input, const std::string& bytes) {
    OutputFile output{path, input.fd()};
    FileSink sink{output.fd(), output.name()};
    sink.write(bytes);
    output.commit();
}

// Writes the GPX and GeoJSON files asked for; false when a waypoint cannot be read or a leg cannot
// be sailed, and so none is.
bool writeRouteFiles(const Request& request, const SailedRoute& route, const SailingPlan& plan,
                     const TextFileInput& input) {
    bool written = true;
    for (const std::string* path : {&request.gpxPath, &request.geojsonPath}) {
        if (path->empty()) {
            continue;
        }
        if (route.points.empty()) {
            std::cerr << "orvanto-cli：有航点无法读取或有航段无法航行，没有写出“"
                      << printable(*path) << "”\n";
            written = false;
            continue;
        }
        const std::string name = routeName(request.files.inputPath);
        writeRouteFile(*path, input,
                       path == &request.gpxPath
                           ? gpxRoute(name, route.points)
                           : geojsonRoute(name, route.points, sailedLine(route, plan)));
    }
    return written;
}

// The deviation card, or what is wrong with it; InputOutputError when it cannot be read.
Expected<navigation::DeviationCard, std::string> readCard(const std::string& path) {
    TextFileInput card{path, "无法打开自差表", Encoding::Auto};
    if (const auto encoding = card.chooseEncoding(); !encoding) {
        return unexpected(encoding.error());
    }
    return passage::readDeviationCard(card.reader(), card.codec());
}

// How the table is written: the compass correction with its card, the current, speeds and the
// departure with its offset from UTC. What is wrong, for the user.
Expected<RouteTableSettings, std::string> tableSettings(const Request& request,
                                                        const WaypointFile& file) {
    RouteTableSettings settings;
    settings.correction = {request.variation, request.deviation, {}};
    if (!request.deviationCardPath.empty()) {
        auto card = readCard(request.deviationCardPath);
        if (!card) {
            return unexpected(card.error());
        }
        settings.correction.card = std::move(card.value());
    }
    settings.current = request.current;
    settings.speed = request.speed;
    settings.times = request.speed || file.speedColumn;
    settings.method = request.method;
    if (request.departure && !settings.times) {
        return unexpected(std::string{
            "--depart 须与 --speed 同用，或者航点文件有 speed（航速）列：没有航速就没有到达时间"});
    }
    settings.departure = request.departure;
    if (settings.departure && !settings.departure->offsetMinutes) {
        const auto local = localOffset(settings.departure->clock);
        if (!local) {
            return unexpected(local.error());
        }
        if (!local.value().note.empty()) {
            std::cerr << "orvanto-cli：" << local.value().note << "\n";
        }
        settings.departure->offsetMinutes = local.value().minutes;
    }
    return settings;
}

}  // namespace

int runRoute(const Request& request) {
    const auto failed = [](std::string_view problem) {
        std::cerr << "orvanto-cli：" << printable(problem) << "\n";
        return kExitFailure;
    };
    try {
        if (const auto paths = checkOutputPaths(request); !paths) {
            return failed(paths.error());
        }
        TextFileInput input{request.files.inputPath, "无法打开航点文件", request.files.encoding};
        const auto read = readInput(request, input);
        if (!read) {
            return failed(read.error());
        }
        const WaypointFile& file = read.value().file;
        const auto settings = tableSettings(request, file);
        if (!settings) {
            return failed(settings.error());
        }
        const SailingPlan plan{request.method, request.every, request.limitLatitude};
        const SailedRoute route = passage::sailRoute(file.waypoints, plan);
        const bool terminal = ::isatty(STDOUT_FILENO) == 1;
        const TableFormat format =
            request.tableFormat.value_or(terminal ? TableFormat::Text : TableFormat::Csv);
        const auto table = passage::routeTable(route.rows, settings.value(), format,
                                               terminal || format == TableFormat::Text);
        // Out before the files, should one of them be standard output too.
        std::cout << encodedTable(table.text, request, read.value(), terminal) << std::flush;
        const bool filesWritten = writeRouteFiles(request, route, plan, input);
        if (table.failedLegs > 0) {
            std::cerr << "orvanto-cli：" << file.waypoints.size() - 1 << " 段航线中有 "
                      << table.failedLegs << " 段未能全部算出，原因见 error 列\n";
        }
        return table.failedLegs > 0 || !filesWritten ? kExitRowErrors : kExitSuccess;
    } catch (const InputOutputError& error) {
        return failed(error.what());
    }
}

}  // namespace orvanto::cli
