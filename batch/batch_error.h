// The one failure that stops a batch run: the input cannot be read (missing file, text not valid in
// its encoding, a header without the coordinate columns, a quote never closed) or the output cannot
// be written. Its text is the whole message for the user; the run ends with exit status 2. A row
// the calculator cannot compute is no such failure: its message goes into the row's error column.
#pragma once

#include <stdexcept>

namespace orvanto::batch {

class BatchError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace orvanto::batch
