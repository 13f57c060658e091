// The one failure of the distance and angle arithmetic.
#pragma once

#include <stdexcept>

namespace orvanto {

// A floating-point fault: division by zero, an invalid operation or an overflow in the distance or
// angle arithmetic. Decoded entries never cause one; non-finite or astronomically large arguments
// do.
class ArithmeticFault : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace orvanto
