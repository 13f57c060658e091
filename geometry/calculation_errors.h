// The failures a calculation can end with. They form a closed set of three kinds, each its own
// type, so that a front end can name the kind in its report; all derive from CalculationError.
#pragma once

#include <stdexcept>
#include <string>

namespace orvanto {

// Base of every failure raised by the geometry.
class CalculationError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A value does not fit where it must be held: the whole degrees of an entry lie outside the 16-bit
// range the decoder works in (minutes mode: -327..327; seconds mode: -32768..32767).
class OverflowError : public CalculationError {
  public:
    using CalculationError::CalculationError;
};

// A piece of an entry that must be a number is not one: the minutes or seconds digits of a
// seconds-mode entry, or an empty seconds-mode entry.
class TypeMismatchError : public CalculationError {
  public:
    using CalculationError::CalculationError;
};

// A floating-point fault: division by zero, an invalid operation or an overflow in the distance or
// angle arithmetic. Decoded entries never cause one; non-finite or astronomically large arguments
// do.
class ArithmeticFault : public CalculationError {
  public:
    using CalculationError::CalculationError;
};

}  // namespace orvanto
