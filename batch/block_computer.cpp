#include "batch/block_computer.h"

namespace orvanto::batch {

BlockComputer::BlockComputer(const RowFormat& format, TextCodec& input, TextCodec& output)
    : delimiter_(format.delimiter),
      writer_(sink_, format.delimiter, format.lineEnd, false),
      rows_(format, input, output, writer_) {}

void BlockComputer::compute(const RecordBlock& block, ComputedBlock& computed) {
    computed.rows.clear();
    computed.rowEnds.clear();
    computed.counts = {};
    sink_.rows = &computed.rows;
    for (std::size_t i = 0; i < block.size(); ++i) {
        block.recordAt(i, delimiter_, record_);
        rows_.write(record_, computed.counts);
        computed.rowEnds.push_back(computed.rows.size() + writer_.buffered());
    }
    writer_.flush();
    sink_.rows = nullptr;
}

}  // namespace orvanto::batch
