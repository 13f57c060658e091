// The failures reading an entry can end with. They form a closed set of four kinds, each its own
// type, so that a front end can name the kind in its report; all derive from EntryError.
#pragma once

#include <stdexcept>
#include <string>

#include "text/expected.h"

namespace orvanto {

// Base of every failure raised by entry reading and decoding.
class EntryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A value does not fit where it must be held: the whole degrees of an entry lie outside the 16-bit
// range the decoder works in (minutes mode: -327..327; seconds mode: -32768..32767).
class OverflowError : public EntryError {
  public:
    using EntryError::EntryError;
};

// A piece of an entry that must be a number is not one: the minutes or seconds digits of a
// seconds-mode entry, or an empty seconds-mode entry.
class TypeMismatchError : public EntryError {
  public:
    using EntryError::EntryError;
};

// What is wrong with the written form of an entry (entry_reading.h says what is accepted).
enum class EntryFormProblem {
    OtherAxis,           // a hemisphere of the other axis: E or W for a latitude, N or S for a
                         // longitude
    TwoDesignators,      // a hemisphere designator at both ends, or two in a row
    DesignatorWithSign,  // a sign and a designator together: "-4250.0S"
    NoDigit,             // nothing but a designator
    SymbolForm,          // a degree mark in a text that is not degrees, minutes and seconds
    DigitsSplit,         // in the symbol form, a blank between two digits: "42° 11 25"
    Comma,               // a comma, which is neither a decimal point nor a separator: "4250,5"
    TwoSigns,            // more than one sign in front of the number: "--4250.0", "-+4250.0"
    NotANumber,          // minutes mode, the entry is not one number as a whole: "42ab", "abc"
    SecondsNotDigits,    // seconds mode, the packed entry is not digits alone: "4250.0", "#421125"
    MinutesSplit,        // minutes mode, a blank inside the number other than before the whole
                         // minutes: "42 5.0", "4250 .0"
    SecondsSplit,        // seconds mode, a blank other than before the minutes or the seconds:
                         // "42 11 5", "42 11"
};

// An entry whose written form cannot be read as any accepted form.
class EntryFormError : public EntryError {
  public:
    explicit EntryFormError(EntryFormProblem problem)
        : EntryError("entry form not accepted"), problem_{problem} {}
    EntryFormProblem problem() const { return problem_; }

  private:
    EntryFormProblem problem_;
};

// A decoded entry outside its axis: a latitude beyond -90..90 or a longitude beyond -180..180.
class OutOfRangeError : public EntryError {
  public:
    using EntryError::EntryError;
};

// The same four kinds as a value, for the readers that meet rejected entries by the thousand (the
// calculator, a batch file's rows, a fuzzer): a thrown error costs many times the reading itself,
// and in the browser build a trip through JavaScript.
struct EntryFailure {
    enum class Kind { Overflow, TypeMismatch, Form, OutOfRange };
    Kind kind;
    EntryFormProblem problem;  // for Form
    const char* what;          // what the thrown error says
};

// An entry's degrees, or the failure that stopped its reading.
using EntryReading = Expected<double, EntryFailure>;

inline Unexpected<EntryFailure> entryFailure(EntryFailure::Kind kind, const char* what) {
    return unexpected(EntryFailure{kind, EntryFormProblem::SymbolForm, what});
}

inline Unexpected<EntryFailure> entryFormFailure(EntryFormProblem problem) {
    return unexpected(EntryFailure{EntryFailure::Kind::Form, problem, "entry form not accepted"});
}

// The failure as the exception of its kind, for the callers that read one entry and let it throw.
[[noreturn]] inline void throwEntryFailure(const EntryFailure& failure) {
    switch (failure.kind) {
        case EntryFailure::Kind::Overflow:
            throw OverflowError(failure.what);
        case EntryFailure::Kind::TypeMismatch:
            throw TypeMismatchError(failure.what);
        case EntryFailure::Kind::Form:
            throw EntryFormError(failure.problem);
        case EntryFailure::Kind::OutOfRange:
            break;
    }
    throw OutOfRangeError(failure.what);
}

inline double valueOrThrow(const EntryReading& reading) {
    if (!reading) {
        throwEntryFailure(reading.error());
    }
    return reading.value();
}

}  // namespace orvanto
