// A block of records computed on a thread of its own: each thread has a BlockComputer with its own
// codecs, row calculator and buffers, and shares nothing with the others but the run's RowFormat
// (a copy) and its column providers (called concurrently, so they hold no state of their own).
#pragma once

#include <cstddef>
#include <vector>

#include "batch/block_writer.h"
#include "batch/csv_reader.h"
#include "batch/record_block.h"
#include "batch/row_writer.h"
#include "batch/text_encoding.h"

namespace orvanto::batch {

// A block's rows as they are to be written, and where each record's row ends, so that the run
// writes them out at the very points it would have written them one at a time.
struct ComputedBlock {
    explicit ComputedBlock(const RowFormat& format) : rows(format.delimiter, format.lineEnd) {}
    BlockWriter rows;                  // gathering: the run's own writer writes them
    std::vector<std::size_t> rowEnds;  // one a record, blank records included
    BatchCounts counts;
};

class BlockComputer {
  public:
    // The codecs are this computer's own (see RowCodecs).
    BlockComputer(const RowFormat& format, RowCodecs codecs);
    BlockComputer(const BlockComputer&) = delete;
    BlockComputer& operator=(const BlockComputer&) = delete;

    void compute(const RecordBlock& block, ComputedBlock& computed);

  private:
    RowWriter rows_;
    CsvRecord record_;
};

}  // namespace orvanto::batch
