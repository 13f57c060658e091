#include "cli/route_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "batch/input_output_error.h"
#include "batch/memory_streams.h"
#include "batch/text_encoding.h"
#include "batch/utf16_streams.h"
#include "calculator/messages.h"
#include "cli/compass_correction.h"
#include "cli/encoding_choice.h"
#include "cli/exit_status.h"
#include "cli/expanded_table.h"
#include "cli/file_streams.h"
#include "cli/heap_pages.h"
#include "cli/local_time.h"
#include "cli/output_file.h"
#include "cli/passage_words.h"
#include "cli/text_file_input.h"
#include "navigation/compass_error.h"
#include "passage/deviation_card.h"
#include "passage/gpx_waypoints.h"
#include "passage/nmea_waypoints.h"
#include "passage/plan_document.h"
#include "passage/route_request.h"
#include "passage/route_table.h"
#include "passage/rtz_waypoints.h"
#include "passage/worked_solution_text.h"
#include "text/code_points.h"
#include "text/printable.h"

namespace orvanto::cli {

using batch::InputOutputError;
using batch::TextEncoding;
using passage::TableFormat;

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
    const std::string* outputs[] = {&request.files.gpxPath, &request.files.geojsonPath,
                                    &request.files.rtzPath, &request.files.nmeaPath};
    for (const std::string* path : outputs) {
        for (const std::string* input :
             {&request.files.inputPath, &request.files.deviationCardPath}) {
            if (!path->empty() && !input->empty() && *input != "-" && sameFile(*path, *input)) {
                return unexpected("输出文件“" + *path + "”就是" +
                                  (input == &request.files.inputPath ? "航点文件" : "自差表") +
                                  "，写入会毁掉它；请另选文件");
            }
        }
    }
    for (const std::string* path : outputs) {
        for (const std::string* other : outputs) {
            if (path < other && !path->empty() && *path == *other) {
                return unexpected(std::string{"--gpx、--geojson、--rtz 和 --nmea 须是不同的文件"});
            }
        }
    }
    return {};
}

// The route's name in the files: the input file's name without its folder and extension.
std::string routeName(const std::string& inputPath) {
    return inputPath == "-" ? "航线" : std::filesystem::path{inputPath}.stem().string();
}

// How the waypoint file is written, for the table to be written alike.
struct WrittenAs {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
};

// A GPX or RTZ file's bytes, read whole, up to one byte past `largest` (the reader refuses a file
// that long).
std::string fileBytes(const TextFileInput& input,
                      std::size_t largest = std::numeric_limits<std::size_t>::max() - 1) {
    FileSource file{input.fd(), input.name()};
    std::string bytes;
    std::array<char, kGpxReadBlock> block{};
    while (bytes.size() <= largest) {
        const std::size_t count = file.read(block.data(), block.size());
        if (count == 0) {
            break;
        }
        bytes.append(block.data(), count);
    }
    return bytes;
}

// The name an ECDIS or a GPS shows for the route: the written file's own, without its folder and
// extension.
std::string writtenRouteName(const std::string& path) {
    return std::filesystem::path{path}.stem().string();
}

// The table in the encoding asked for, else the waypoint file's (UTF-8 on a terminal).
std::string encodedTable(const std::string& table, const Request& request, const WrittenAs& input,
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

// Writes the GPX, GeoJSON, RTZ and NMEA files asked for; false when a waypoint cannot be read or a
// leg cannot be sailed, and so none is.
bool writeRouteFiles(const Request& request, const passage::PassagePlan& plan,
                     const TextFileInput& input) {
    bool written = true;
    for (const std::string* path : {&request.files.gpxPath, &request.files.geojsonPath,
                                    &request.files.rtzPath, &request.files.nmeaPath}) {
        if (path->empty()) {
            continue;
        }
        const auto& bytes = path == &request.files.gpxPath    ? plan.gpx
                            : path == &request.files.rtzPath  ? plan.rtz
                            : path == &request.files.nmeaPath ? plan.nmea
                                                              : plan.geojson;
        if (!bytes) {
            const bool unnamed = path == &request.files.nmeaPath && plan.nmeaProblem;
            std::cerr << "orvanto-cli："
                      << (unnamed ? *plan.nmeaProblem : "有航点无法读取或有航段无法航行")
                      << "，没有写出“" << printable(*path) << "”\n";
            written = false;
            continue;
        }
        writeRouteFile(*path, input, *bytes);
    }
    return written;
}

// The machine's offset from UTC at a departure written without one; a note on standard error when
// that clock time came twice.
Expected<int, std::string> machineOffset(const passage::ClockTime& clock) {
    const auto local = localOffset(clock);
    if (!local) {
        return unexpected(local.error());
    }
    if (!local.value().note.empty()) {
        std::cerr << "orvanto-cli：" << local.value().note << "\n";
    }
    return local.value().minutes;
}

// The table as the format asks, the text form on a terminal too narrow for it one block a row.
std::string writtenTable(const passage::PassagePlan& plan, const Request& request,
                         TableFormat format, bool terminal) {
    passage::TableWriting writing{format, terminal || format == TableFormat::Text, kProblemWording,
                                  request.routeColumns, request.etaZone};
    if (format == TableFormat::Html) {
        return passage::planDocument(plan, writing);
    }
    const auto table = passage::routeTable(plan, writing);
    if (format == TableFormat::Text && terminal) {
        const std::size_t width = terminalColumns(STDOUT_FILENO);
        if (!fitsWidth(table.text, width)) {
            return expandedTable(table.cells.nested(), table.notes, width);
        }
    }
    return table.text;
}

}  // namespace

int runRoute(const Request& request) {
    const auto failed = [](std::string_view problem) {
        std::cerr << "orvanto-cli：" << printable(problem) << "\n";
        return kExitFailure;
    };
    try {
        reserveHeapOnHugePages();
        if (const auto paths = checkOutputPaths(request); !paths) {
            return failed(paths.error());
        }
        TextFileInput input{request.files.inputPath, "无法打开航点文件", request.files.encoding};
        passage::PassageRequest passage;
        passage.waypoints.name = input.name();
        std::string fileText;  // a GPX, RTZ or NMEA file's bytes
        WrittenAs text;
        if (passage::isGpxFileName(request.files.inputPath)) {
            fileText = fileBytes(input);
            passage.waypoints.kind = passage::WaypointSource::Kind::Gpx;
            passage.waypoints.bytes = fileText;
        } else if (passage::isRtzFileName(request.files.inputPath)) {
            fileText = fileBytes(input, passage::kLargestRtzFile);
            passage.waypoints.kind = passage::WaypointSource::Kind::Rtz;
            passage.waypoints.bytes = fileText;
        } else if (bool complete = false; passage::isNmeaText(
                       input.reader().lookAhead(passage::kLargestNmeaFile + 1, complete))) {
            // One past the largest, for the reader to refuse a file that long.
            fileText = input.reader().lookAhead(passage::kLargestNmeaFile + 1, complete);
            passage.waypoints.kind = passage::WaypointSource::Kind::Nmea;
            passage.waypoints.bytes = fileText;
        } else {
            const auto encoding = input.chooseEncoding();
            if (!encoding) {
                return failed(encoding.error());
            }
            text.encoding = encoding.value();
            passage.waypoints.reader = &input.reader();
            passage.waypoints.codec = &input.codec();
        }
        passage.defaultMode = request.allSeconds ? EntryMode::Seconds : EntryMode::Minutes;
        auto correction = compassCorrectionOf(request);
        if (!correction) {
            return failed(correction.error());
        }
        passage.correction = std::move(correction.value());
        passage.speed = request.speed;
        passage.departure = request.departure;
        passage.current = request.current;
        passage.every = request.every;
        passage.limitLatitude = request.limitLatitude;
        passage.method = request.method;
        passage.localOffset = machineOffset;
        passage.files = !request.files.gpxPath.empty() || !request.files.geojsonPath.empty();
        passage.routeName = routeName(request.files.inputPath);
        if (!request.files.rtzPath.empty()) {
            passage.rtz = request.rtzVersion;
            passage.rtzName = writtenRouteName(request.files.rtzPath);
        }
        if (!request.files.nmeaPath.empty()) {
            passage.nmeaNameLength = request.nmeaNameLength;
            passage.nmeaName = writtenRouteName(request.files.nmeaPath);
        }
        const auto plan = passage::planPassage(passage);
        if (!plan) {
            return failed(passageProblemText(plan.error(), "route"));
        }
        if (plan.value().note) {
            std::cerr << "orvanto-cli：" << input.name() << "：" << *plan.value().note << "\n";
        }
        text.byteOrderMark =
            passage.waypoints.reader != nullptr && input.reader().hadByteOrderMark();
        const bool terminal = ::isatty(STDOUT_FILENO) == 1;
        const TableFormat format =
            request.tableFormat.value_or(terminal ? TableFormat::Text : TableFormat::Csv);
        std::string table = writtenTable(plan.value(), request, format, terminal);
        if (request.showWork && format == TableFormat::Text) {
            table += "\n" + passage::routeWork(plan.value().route, plan.value().sailing);
        }
        // Out before the files, should one of them be standard output too. The printed plan
        // says it is UTF-8 in itself.
        std::cout << (format == TableFormat::Html ? table
                                                  : encodedTable(table, request, text, terminal))
                  << std::flush;
        const bool filesWritten = writeRouteFiles(request, plan.value(), input);
        const std::size_t failedLegs = plan.value().totals.failedLegs.size();
        if (failedLegs > 0) {
            std::cerr << "orvanto-cli：" << plan.value().waypoints.size() - 1 << " 段航线中有 "
                      << failedLegs << " 段未能全部算出，原因见 error 列\n";
        }
        return failedLegs > 0 || !filesWritten ? kExitRowErrors : kExitSuccess;
    } catch (const InputOutputError& error) {
        return failed(error.what());
    }
}

}  // namespace orvanto::cli
