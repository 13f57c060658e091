// The failure that stops a batch run midway, thrown: the input cannot be read (a missing file, a
// read error, a quote never closed) or the output cannot be written. Its text is the whole message
// for the user. What is wrong with the header or the encoding is known before anything is written
// and comes back as a result instead; a row the calculator cannot compute is no failure at all: its
// message goes into the row's error column.
#pragma once

#include <stdexcept>

namespace orvanto::batch {

class BatchError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace orvanto::batch
