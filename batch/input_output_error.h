// The failure that stops a run midway, thrown: its input cannot be read (a missing file, a read
// error, a quote never closed) or its output cannot be written (a full disk, a closed pipe). batch
// and route alike, and the page, throw it from their byte sources and sinks and catch it at the
// front end's edge. Its text is the whole message for the user. What is wrong with a header or an
// encoding is known before anything is written and comes back as a result instead (Expected); a
// row the calculator cannot compute is no failure at all: its message goes into its error column.
#pragma once

#include <stdexcept>

namespace orvanto::batch {

class InputOutputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace orvanto::batch
