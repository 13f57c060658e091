#include "cli/route_command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <utility>

#include "calculator/messages.h"
#include "cli/batch_error.h"
#include "cli/byte_source.h"
#include "cli/csv_reader.h"
#include "cli/geojson_writer.h"
#include "cli/gpx_writer.h"
#include "cli/great_circle_path.h"
#include "cli/route_legs.h"
#include "cli/route_table.h"
#include "cli/route_waypoints.h"

namespace orvanto::cli {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitLegErrors = 1;
constexpr int kExitFailure = 2;
constexpr double kLineStepKilometres = 10;

// Closes a descriptor this command opened.
struct FileDescriptor {
    int fd = -1;
    FileDescriptor() = default;
    explicit FileDescriptor(int opened) : fd(opened) {}
    ~FileDescriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
};

[[noreturn]] void failWithErrno(const std::string& what) {
    throw BatchError(what + "：" + std::strerror(errno));
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// The whole file at once, never a part of it: written to a temporary file beside it, flushed to the
// disk, then renamed over it, so a failure leaves whatever stood there before untouched. A device
// or a pipe (/dev/stdout) has nothing to rename over and is written directly; a symbolic link stays
// one, its target replaced.
// Replaced by the batch output's temporary-file writer when both land.
void writeWholeFile(const std::string& requested, const std::string& bytes) {
    const std::string what = "无法写入文件“" + requested + "”";
    struct stat existing {};
    const bool exists = ::stat(requested.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        FileDescriptor file{::open(requested.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)};
        if (file.fd < 0 || !writeAll(file.fd, bytes) || ::close(std::exchange(file.fd, -1)) != 0) {
            failWithErrno(what);
        }
        return;
    }
    std::error_code unresolved;
    const std::filesystem::path resolved = std::filesystem::canonical(requested, unresolved);
    const std::string path = exists && !unresolved ? resolved.string() : requested;
    std::string temporary = path + ".XXXXXX";
    FileDescriptor file{::mkstemp(temporary.data())};
    if (file.fd < 0) {
        failWithErrno(what);
    }
    // mkstemp makes the file private; give it the target's permissions, or a new file's.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = exists ? existing.st_mode & 07777 : 0666 & ~mask;
    if (!writeAll(file.fd, bytes) || ::fchmod(file.fd, mode) != 0 || ::fsync(file.fd) != 0 ||
        ::close(std::exchange(file.fd, -1)) != 0 ||
        ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        errno = error;
        failWithErrno(what);
    }
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Writing over the waypoint file would lose it, and the two outputs over each other one of them.
void checkOutputPaths(const Request& request) {
    const NavigationOptions& options = request.navigation;
    for (const std::string* path : {&options.gpxPath, &options.geojsonPath}) {
        if (!path->empty() && request.batch.inputPath != "-" &&
            sameFile(*path, request.batch.inputPath)) {
            throw BatchError("输出文件“" + *path + "”就是航点文件，写入会毁掉它；请另选文件");
        }
    }
    if (!options.gpxPath.empty() && options.gpxPath == options.geojsonPath) {
        throw BatchError("--gpx 和 --geojson 须是两个不同的文件");
    }
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

std::vector<Waypoint> readInput(const Request& request) {
    const std::string& path = request.batch.inputPath;
    const std::string name = path == "-" ? "标准输入" : "“" + path + "”";
    FileDescriptor opened;
    if (path != "-") {
        opened.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (opened.fd < 0) {
            failWithErrno("无法打开航点文件" + name);
        }
    }
    FileSource file{path == "-" ? STDIN_FILENO : opened.fd, name};
    std::optional<Gb18030Decoder> decoder;
    if (request.batch.encoding == Encoding::Gb18030) {
        decoder.emplace(file);
    }
    CsvReader reader{decoder ? static_cast<ByteSource&>(*decoder) : file};
    const EntryMode mode = request.navigation.allSeconds ? EntryMode::Seconds : EntryMode::Minutes;
    auto waypoints = readWaypoints(reader, mode);
    if (waypoints.size() < 2) {
        throw BatchError("航线至少要有两个航点，" + name + "中只有 " +
                         std::to_string(waypoints.size()) + " 个");
    }
    return waypoints;
}

// Writes the GPX and GeoJSON files asked for; false when a waypoint cannot be read and so none is.
bool writeRouteFiles(const Request& request, const RoutePlan& plan) {
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
        writeWholeFile(*path, path == &options.gpxPath
                                  ? gpxRoute(name, plan.points)
                                  : geojsonRoute(name, plan.points, routeLine(plan.points)));
    }
    return written;
}

}  // namespace

int runRoute(const Request& request) {
    try {
        checkOutputPaths(request);
        const auto waypoints = readInput(request);
        const RoutePlan plan = planRoute(waypoints);
        const TableFormat format = request.navigation.table.value_or(
            ::isatty(STDOUT_FILENO) == 1 ? TableFormat::Text : TableFormat::Csv);
        // Out before the files, should one of them be standard output too.
        std::cout << routeTable(plan.legs, request.navigation.variation, format) << std::flush;
        std::size_t failed = 0;
        for (const RouteLeg& leg : plan.legs) {
            failed += leg.error.empty() ? 0U : 1U;
        }
        const bool filesWritten = writeRouteFiles(request, plan);
        if (failed > 0) {
            std::cerr << "orvanto-cli：" << plan.legs.size() << " 段航线中有 " << failed
                      << " 段未能全部算出，原因见 error 列\n";
        }
        return failed > 0 || !filesWritten ? kExitLegErrors : kExitSuccess;
    } catch (const BatchError& error) {
        std::cerr << "orvanto-cli：" << printable(error.what()) << "\n";
        return kExitFailure;
    }
}

}  // namespace orvanto::cli
