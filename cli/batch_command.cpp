#include "cli/batch_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "batch/batch_run.h"
#include "batch/input_output_error.h"
#include "batch/utf16_streams.h"
#include "cli/compass_correction.h"
#include "cli/encoding_choice.h"
#include "cli/exit_status.h"
#include "cli/file_streams.h"
#include "cli/output_file.h"
#include "cli/parallel_batch.h"
#include "cli/progress_display.h"
#include "cli/system_error.h"
#include "cli/text_file_input.h"
#include "cli/usable_cpus.h"
#include "passage/column_providers.h"
#include "text/printable.h"

namespace orvanto::cli {
namespace {

using batch::BatchCounts;
using batch::BatchOutput;
using batch::BatchRun;
using batch::BatchSettings;
using batch::ByteSink;
using batch::InputOutputError;
using batch::TextCodec;
using batch::TextEncoding;
using batch::Utf16Sink;

// Rows and the progress line on one terminal would share its lines, so the line is drawn only when
// the rows go elsewhere.
bool sameTerminal(int fd, int otherFd) {
    struct stat one {};
    struct stat other {};
    return ::isatty(fd) == 1 && ::fstat(fd, &one) == 0 && ::fstat(otherFd, &other) == 0 &&
           one.st_rdev == other.st_rdev;
}

// The counts, or what is wrong with the input's text or header; InputOutputError when a file cannot
// be read or written.
Expected<BatchCounts, std::string> runFile(const Request& request) {
    const FileOptions& options = request.files;
    TextFileInput input{options.inputPath, "无法打开输入文件", options.encoding};
    const auto encoding = input.chooseEncoding();
    if (!encoding) {
        return unexpected(encoding.error());
    }
    BatchSettings settings{.modes = request.input,
                           .style = request.numberStyle,
                           .inputName = input.name(),
                           .extraColumns = {},
                           .otherResultColumns = passage::everyExtraColumn(),
                           .words = batchWords()};
    const passage::GeodesicColumns geodesic{request.numberStyle};
    auto correction = compassCorrectionOf(request);
    if (!correction) {
        return unexpected(correction.error());
    }
    const passage::CourseColumns courses{std::move(correction.value()), request.method};
    if (request.geodesicColumns) {
        settings.extraColumns.push_back(&geodesic);
    }
    if (request.courseColumns) {
        settings.extraColumns.push_back(&courses);
    }
    BatchRun run{input.reader(), input.codec(), std::move(settings)};
    if (auto header = run.readHeader(); !header) {
        return unexpected(header.error());
    }

    OutputFile output{options.outputPath, input.fd()};
    const bool terminal = ::isatty(output.fd()) == 1;
    const OutputText written = chooseOutputEncoding(options.outputEncoding, encoding.value(),
                                                    run.hadByteOrderMark(), terminal);
    const auto order = utf16Order(written.encoding);
    FileSink file{output.fd(), output.name()};
    // UTF-16 is written as UTF-8 by the run and turned into UTF-16 on the way out.
    std::optional<Utf16Sink> utf16;
    if (order) {
        utf16.emplace(file, *order);
    }
    struct stat inputStatus {};
    const bool isFile = ::fstat(input.fd(), &inputStatus) == 0 && S_ISREG(inputStatus.st_mode);
    ProgressDisplay progress{
        isFile && ::isatty(STDERR_FILENO) == 1 && !sameTerminal(output.fd(), STDERR_FILENO),
        static_cast<std::uint64_t>(inputStatus.st_size)};
    Codecs codecs;  // the output's
    const BatchOutput format{
        .codec = order ? &codecs[TextEncoding::Utf8] : &codecs[written.encoding],
        .byteOrderMark = written.byteOrderMark,
        .flushEachRow = ::isatty(input.fd()) == 1,
        .escapeControls = terminal,
    };
    ByteSink& sink = utf16 ? static_cast<ByteSink&>(*utf16) : file;
    const auto rowsDone = [&](std::uint64_t rows) { progress.rowDone(rows, input.bytesRead()); };
    // Rows typed at a terminal are computed as they come, one at a time. By default, a thread a CPU
    // up to the 256 that --jobs takes.
    const unsigned jobs = format.flushEachRow ? 1
                          : request.jobs != 0 ? request.jobs
                                              : std::min(usableCpus(), 256U);
    const BatchCounts counts =
        jobs == 1 ? run.run(sink, format, rowsDone)
                  : runOnThreads(run, sink, format,
                                 {.input = encoding.value(),
                                  .output = order ? TextEncoding::Utf8 : written.encoding},
                                 jobs, rowsDone);
    progress.clear();
    output.commit();
    return counts;
}

}  // namespace

int runBatch(const Request& request) {
    try {
        const auto result = runFile(request);
        if (!result) {
            std::cerr << "orvanto-cli：" << printable(result.error()) << "\n";
            return kExitFailure;
        }
        const BatchCounts& counts = result.value();
        if (counts.failed > 0) {
            std::cerr << "orvanto-cli：" << counts.rows << " 行中有 " << counts.failed
                      << " 行未能算出，原因见 error 列\n";
            return kExitRowErrors;
        }
        return kExitSuccess;
    } catch (const InputOutputError& error) {
        std::cerr << "orvanto-cli：" << printable(error.what()) << "\n";
        return kExitFailure;
    }
}

}  // namespace orvanto::cli
