#include "cli/batch_command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "cli/batch_error.h"
#include "cli/batch_run.h"
#include "cli/csv_reader.h"
#include "cli/file_streams.h"
#include "cli/gb18030_codec.h"
#include "cli/output_file.h"
#include "cli/progress_display.h"
#include "cli/system_error.h"
#include "text/printable.h"

namespace orvanto::cli {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitRowErrors = 1;
constexpr int kExitFailure = 2;

// The input file descriptor this run opened, closed when the run ends.
class InputFile {
  public:
    explicit InputFile(const std::string& path) {
        if (path == "-") {
            return;
        }
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            throw BatchError(systemErrorMessage("无法打开输入文件", "“" + path + "”", errno));
        }
        owned_ = true;
    }
    ~InputFile() {
        if (owned_) {
            ::close(fd_);
        }
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_ = STDIN_FILENO;
    bool owned_ = false;
};

std::string quotedName(const std::string& path) {
    return path == "-" ? "标准输入" : "“" + path + "”";
}

// Rows and the progress line on one terminal would share its lines, so the line is drawn only when
// the rows go elsewhere.
bool sameTerminal(int fd, int otherFd) {
    struct stat one {};
    struct stat other {};
    return ::isatty(fd) == 1 && ::fstat(fd, &one) == 0 && ::fstat(otherFd, &other) == 0 &&
           one.st_rdev == other.st_rdev;
}

BatchCounts runFile(const Request& request) {
    const BatchOptions& options = request.batch;
    InputFile input{options.inputPath};
    FileSource file{input.fd(), quotedName(options.inputPath)};
    CsvReader reader{file};
    TextEncoding encoding =
        options.encoding == Encoding::Gb18030 ? TextEncoding::Gb18030 : TextEncoding::Utf8;
    // Rows typed at a terminal come in the terminal's own UTF-8, and waiting for 64 KiB of them
    // before the first result would look like a hang.
    if (options.encoding == Encoding::Auto && ::isatty(input.fd()) != 1) {
        encoding = detectInputEncoding(reader);
        if (encoding == TextEncoding::Gb18030) {
            std::cerr << "orvanto-cli：输入不是 UTF-8 文本，按 GB18030（GBK）读取\n";
        }
    }
    Utf8Codec utf8;
    std::optional<Gb18030Codec> gb18030;
    const auto codecFor = [&](TextEncoding which) -> TextCodec& {
        if (which == TextEncoding::Utf8) {
            return utf8;
        }
        return gb18030 ? *gb18030 : gb18030.emplace();
    };
    TextCodec& inputCodec = codecFor(encoding);
    BatchRun run{reader, inputCodec,
                 BatchSettings{request.input, request.format, options.geodesic, file.name()}};
    run.readHeader();

    const OutputEncoding wanted = options.outputEncoding;
    const TextEncoding outputEncoding = wanted == OutputEncoding::Input     ? encoding
                                        : wanted == OutputEncoding::Gb18030 ? TextEncoding::Gb18030
                                                                            : TextEncoding::Utf8;
    TextCodec& outputCodec = codecFor(outputEncoding);
    OutputFile output{options.outputPath, input.fd()};
    FileSink sink{output.fd(), output.name()};
    struct stat inputStatus {};
    const bool isFile = ::fstat(input.fd(), &inputStatus) == 0 && S_ISREG(inputStatus.st_mode);
    ProgressDisplay progress{
        isFile && ::isatty(STDERR_FILENO) == 1 && !sameTerminal(output.fd(), STDERR_FILENO),
        static_cast<std::uint64_t>(inputStatus.st_size)};
    const BatchOutput format{
        .codec = &outputCodec,
        .byteOrderMark = wanted == OutputEncoding::Utf8Bom ||
                         (wanted == OutputEncoding::Input && run.hadByteOrderMark()),
        .flushEachRow = ::isatty(input.fd()) == 1,
        .escapeControls = ::isatty(output.fd()) == 1,
    };
    const BatchCounts counts = run.run(
        sink, format, [&](std::uint64_t rows) { progress.rowDone(rows, file.bytesRead()); });
    progress.clear();
    output.commit();
    return counts;
}

}  // namespace

int runBatch(const Request& request) {
    try {
        const BatchCounts counts = runFile(request);
        if (counts.failed > 0) {
            std::cerr << "orvanto-cli：" << counts.rows << " 行中有 " << counts.failed
                      << " 行未能算出，原因见 error 列\n";
            return kExitRowErrors;
        }
        return kExitSuccess;
    } catch (const BatchError& error) {
        std::cerr << "orvanto-cli：" << printable(error.what()) << "\n";
        return kExitFailure;
    }
}

}  // namespace orvanto::cli
