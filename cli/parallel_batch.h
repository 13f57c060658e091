// orvanto-cli batch on several threads. This thread cuts the records into blocks and writes the
// computed blocks in the order they were cut; `jobs` threads compute them, each with codecs of its
// own. At most two blocks a thread are in flight, so memory stays bounded whatever the file, and
// the output, the messages and the failures are those of the same run on one thread.
#pragma once

#include <cstdint>
#include <functional>

#include "batch/batch_run.h"
#include "batch/byte_source.h"
#include "batch/text_encoding.h"

namespace orvanto::cli {

// The encodings each thread reads the records in and writes their texts in, for codecs of its own
// (a GB18030 codec converts with state of its own and is never shared).
struct ThreadEncodings {
    batch::TextEncoding input;
    batch::TextEncoding output;
};

// Runs the rows of `run`, its header read, into `sink` as run.run() would, on `jobs` threads;
// `rowsDone` is told the rows written so far after each block. Throws InputOutputError as
// BatchRun::run does, the rows before the failure written as it writes them.
batch::BatchCounts runOnThreads(batch::BatchRun& run, batch::ByteSink& sink,
                                const batch::BatchOutput& output, ThreadEncodings encodings,
                                unsigned jobs, const std::function<void(std::uint64_t)>& rowsDone);

}  // namespace orvanto::cli
