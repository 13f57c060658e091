#include "cli/batch_command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "calculator/messages.h"
#include "cli/batch_error.h"
#include "cli/batch_row.h"
#include "cli/block_writer.h"
#include "cli/byte_source.h"
#include "cli/course_text.h"
#include "cli/csv_reader.h"
#include "cli/progress_display.h"

namespace orvanto::cli {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitRowErrors = 1;
constexpr int kExitFailure = 2;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kResultColumns[] = {"km", "nmi", "angle", "error"};
constexpr std::string_view kGeodesicColumns[] = {"geodesic_km", "geodesic_angle"};

// A file descriptor this run opened, closed when the run ends.
class OpenFile {
  public:
    OpenFile() = default;
    ~OpenFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    void adopt(int fd) { fd_ = fd; }
    // Closes now and reports whether everything written reached the file.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_ = -1;
};

std::string quotedName(const std::string& path) {
    return path == "-" ? "标准输入" : "“" + path + "”";
}

[[noreturn]] void failWithErrno(const std::string& what) {
    throw BatchError(what + "：" + std::strerror(errno));
}

int openInput(const std::string& path, OpenFile& owner) {
    if (path == "-") {
        return STDIN_FILENO;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        failWithErrno("无法打开输入文件" + quotedName(path));
    }
    owner.adopt(fd);
    return fd;
}

// Truncating the input before it is read would lose it, so writing over it is refused.
int openOutput(const std::string& path, int inputFd, OpenFile& owner) {
    if (path == "-") {
        return STDOUT_FILENO;
    }
    struct stat input {};
    struct stat output {};
    if (::fstat(inputFd, &input) == 0 && ::stat(path.c_str(), &output) == 0 &&
        input.st_dev == output.st_dev && input.st_ino == output.st_ino) {
        throw BatchError("输出文件“" + path + "”就是输入文件，写入会毁掉输入；请另选输出文件");
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        failWithErrno("无法写入输出文件“" + path + "”");
    }
    owner.adopt(fd);
    return fd;
}

// A row's own fields as read, padded with empty ones to the header's width so that the result
// columns line up.
void writeFields(BlockWriter& writer, const CsvRecord& record, std::size_t width) {
    if (record.verbatim) {
        writer.append(record.text);
    } else {
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            if (i > 0) {
                writer.appendDelimiter();
            }
            writer.appendField(record.fields[i]);
        }
    }
    for (std::size_t i = record.fields.size(); i < width; ++i) {
        writer.appendDelimiter();
    }
}

void writeResults(BlockWriter& writer, const RowResults& results, bool geodesic) {
    // Numbers never need quotes; a message may quote an entry with a comma in it.
    for (const std::string* number :
         {&results.kilometres, &results.nauticalMiles, &results.angle}) {
        writer.appendDelimiter();
        writer.append(*number);
    }
    writer.appendDelimiter();
    writer.appendField(results.error);
    if (geodesic) {
        writer.appendDelimiter();
        writer.append(results.geodesicKilometres);
        writer.appendDelimiter();
        writer.append(results.geodesicAngle);
    }
    for (const std::string& field : results.navigation) {
        writer.appendDelimiter();
        writer.append(field);
    }
}

struct Counts {
    std::uint64_t rows = 0;
    std::uint64_t failed = 0;
};

Counts runRows(const Request& request, int inputFd, std::optional<BlockWriter>& writer,
               OpenFile& outputFile) {
    const BatchOptions& options = request.batch;
    FileSource file{inputFd, quotedName(options.inputPath)};
    std::optional<Gb18030Decoder> decoder;
    if (options.encoding == Encoding::Gb18030) {
        decoder.emplace(file);
    }
    CsvReader reader{decoder ? static_cast<ByteSource&>(*decoder) : file};
    CsvRecord record;
    if (!reader.next(record)) {
        throw BatchError(quotedName(options.inputPath) +
                         "是空的：第一行须是表头，如 lat1,lon1,lat2,lon2");
    }
    auto found = findColumns(record.fields);
    if (const auto* problem = std::get_if<std::string>(&found)) {
        throw BatchError(*problem);
    }
    const auto& columns = std::get<BatchColumns>(found);

    const int outputFd = openOutput(options.outputPath, inputFd, outputFile);
    writer.emplace(
        outputFd, options.outputPath == "-" ? "标准输出" : "“" + options.outputPath + "”",
        reader.delimiter(), record.lineEnd.empty() ? "\n" : record.lineEnd, ::isatty(inputFd) == 1);
    if (reader.hadByteOrderMark()) {
        writer->append(kByteOrderMark);
    }
    writeFields(*writer, record, 0);
    for (const std::string_view name : kResultColumns) {
        writer->appendDelimiter();
        writer->append(name);
    }
    if (options.geodesic) {
        for (const std::string_view name : kGeodesicColumns) {
            writer->appendDelimiter();
            writer->append(name);
        }
    }
    if (options.navigation) {
        for (const std::string_view name :
             courseColumnNames(request.navigation.variation.has_value())) {
            writer->appendDelimiter();
            writer->append(name);
        }
    }
    writer->endRow();

    struct stat input {};
    const bool isFile = ::fstat(inputFd, &input) == 0 && S_ISREG(input.st_mode);
    ProgressDisplay progress{isFile && ::isatty(STDERR_FILENO) == 1,
                             static_cast<std::uint64_t>(input.st_size)};
    RowCalculator calculator{columns,          request.input,      request.format,
                             options.geodesic, options.navigation, request.navigation.variation};
    RowResults results;
    Counts counts;
    while (reader.next(record)) {
        calculator.calculate(record.fields, results);
        writeFields(*writer, record, columns.width);
        writeResults(*writer, results, options.geodesic);
        writer->endRow();
        ++counts.rows;
        counts.failed += results.error.empty() ? 0U : 1U;
        progress.rowDone(counts.rows, file.bytesRead());
    }
    return counts;
}

}  // namespace

int runBatch(const Request& request) {
    OpenFile inputFile;
    OpenFile outputFile;
    std::optional<BlockWriter> writer;
    try {
        const int inputFd = openInput(request.batch.inputPath, inputFile);
        const Counts counts = runRows(request, inputFd, writer, outputFile);
        writer->flush();
        if (request.batch.outputPath != "-" && !outputFile.close()) {
            failWithErrno("无法写入输出文件“" + request.batch.outputPath + "”");
        }
        if (counts.failed > 0) {
            std::cerr << "orvanto-cli：" << counts.rows << " 行中有 " << counts.failed
                      << " 行未能算出，原因见 error 列\n";
            return kExitRowErrors;
        }
        return kExitSuccess;
    } catch (const BatchError& error) {
        // The rows before an unreadable line are done: they still go out.
        if (writer) {
            try {
                writer->flush();
            } catch (const BatchError&) {
            }
        }
        std::cerr << "orvanto-cli：" << printable(error.what()) << "\n";
        return kExitFailure;
    }
}

}  // namespace orvanto::cli
