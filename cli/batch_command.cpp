#include "cli/batch_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <utility>

#include "cli/batch_error.h"
#include "cli/batch_run.h"
#include "cli/csv_reader.h"
#include "cli/encoding_choice.h"
#include "cli/file_streams.h"
#include "cli/output_file.h"
#include "cli/progress_display.h"
#include "cli/system_error.h"
#include "text/printable.h"

namespace orvanto::cli {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitRowErrors = 1;
constexpr int kExitFailure = 2;

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
    InputFile input{options.inputPath, "无法打开输入文件"};
    FileSource file{input.fd(), quotedName(options.inputPath)};
    CsvReader reader{file};
    const TextEncoding encoding = chooseInputEncoding(options.encoding, reader, input.fd());
    Codecs codecs;
    TextCodec& inputCodec = codecs[encoding];
    BatchRun run{reader, inputCodec,
                 BatchSettings{.modes = request.input,
                               .format = request.format,
                               .geodesic = options.geodesic,
                               .navigation = options.navigation,
                               .variation = request.navigation.variation,
                               .inputName = file.name()}};
    run.readHeader();

    const OutputEncoding wanted = options.outputEncoding;
    const TextEncoding outputEncoding = wanted == OutputEncoding::Input     ? encoding
                                        : wanted == OutputEncoding::Gb18030 ? TextEncoding::Gb18030
                                                                            : TextEncoding::Utf8;
    TextCodec& outputCodec = codecs[outputEncoding];
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
