#include "batch/block_computer.h"

namespace orvanto::batch {

BlockComputer::BlockComputer(const RowFormat& format, RowCodecs codecs) : rows_(format, codecs) {}

void BlockComputer::compute(const RecordBlock& block, ComputedBlock& computed) {
    computed.rows.clear();
    computed.rowEnds.clear();
    computed.counts = {};
    rows_.writeInto(computed.rows);
    block.forEachRecord(record_, [&] {
        rows_.write(record_, computed.counts);
        computed.rowEnds.push_back(computed.rows.buffered());
    });
}

}  // namespace orvanto::batch
