// The batch on several threads against the same run on one: the same bytes and the same failure,
// whatever the number of threads; and the CPUs a cgroup quota allows.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "batch/batch_run.h"
#include "batch/input_output_error.h"
#include "batch/memory_streams.h"
#include "cli/encoding_choice.h"
#include "cli/parallel_batch.h"
#include "cli/usable_cpus.h"

namespace orvanto::cli {
namespace {

using batch::TextEncoding;

// What a run of `input` writes on `jobs` threads (BatchRun::run for one), then "!" and the message
// when it stops.
std::string runOn(unsigned jobs, const std::string& input, ThreadEncodings encodings) {
    batch::MemorySource source{input, 4096};
    batch::CsvReader reader{source};
    Codecs codecs;
    batch::BatchRun run{reader, codecs[encodings.input], batch::BatchSettings{}};
    batch::StringSink sink;
    try {
        if (!run.readHeader()) {
            return "header";
        }
        const batch::BatchOutput output{.codec = &codecs[encodings.output]};
        if (jobs == 1) {
            run.run(sink, output, [](std::uint64_t) {});
        } else {
            runOnThreads(run, sink, output, encodings, jobs, [](std::uint64_t) {});
        }
    } catch (const batch::InputOutputError& error) {
        return sink.text() + "!" + error.what();
    }
    return sink.text();
}

// Blocks of every kind of record, GB18030 read and written by codecs of each thread's own, and a
// run that stops at a quote never closed after rows enough to have been written in part.
TEST(ParallelBatch, WritesWhatOneThreadWrites) {
    std::string rows = "lat1,lon1,lat2,lon2,latr,lonr,备注\n";
    for (int i = 0; i < 30000; ++i) {
        rows += std::to_string(i % 97) + "00.0,0,0,100,4000,50," +
                (i % 5 == 0   ? "\"北,\"\"x\"\"\"\n"
                 : i % 7 == 0 ? ",,\n"
                              : "南,多\n");
    }
    std::string gb18030;
    Codecs{}[TextEncoding::Gb18030].appendEncoded(rows, gb18030);
    const std::tuple<std::string, TextEncoding, TextEncoding> inputs[] = {
        {rows + "\xff,0\n", TextEncoding::Utf8, TextEncoding::Utf8},
        {rows + "\"open\n", TextEncoding::Utf8, TextEncoding::Utf8},
        {gb18030 + "\x80,0\n", TextEncoding::Gb18030, TextEncoding::Gb18030},
        {gb18030, TextEncoding::Gb18030, TextEncoding::Utf8},
    };
    for (const auto& [input, in, out] : inputs) {
        const std::string one = runOn(1, input, {in, out});
        for (const unsigned jobs : {2U, 7U}) {
            EXPECT_TRUE(runOn(jobs, input, {in, out}) == one) << jobs << " " << one.substr(0, 99);
        }
    }
}

TEST(UsableCpus, QuotasRoundUp) {
    const std::pair<std::string_view, std::optional<unsigned>> quotas[] = {
        {"max 100000\n", std::nullopt}, {"-1 100000", std::nullopt},
        {"150000 100000\n", 2},         {"50000 100000", 1},
        {"400000 100000", 4},           {"", std::nullopt},
    };
    for (const auto& [text, cpus] : quotas) {
        EXPECT_EQ(quotaCpus(text), cpus) << text;
    }
    EXPECT_GE(usableCpus(), 1U);
}

}  // namespace
}  // namespace orvanto::cli
