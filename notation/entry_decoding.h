// Decoding of the packed chart notation in which every latitude and longitude is typed: the fixed
// rule under every entry. What the user typed reaches it through readEntry (entry_reading.h), which
// first maps full-width characters, takes off a hemisphere designator, drops the blanks around a
// seconds entry and pads a short one with zeros, reads the degree-mark form itself, and afterwards
// refuses what this rule reads leniently (a stray letter, a comma, a second sign, a seconds entry
// with other than digits) and checks the range. The lenient readings below stay as they are for
// callers that read a text they wrote themselves, such as a kilometre result read back.
//
// An entry is one text; its point's mode says how to read it. Degrees have no fixed width: they are
// whatever stands in front of the minute (and second) digits, so latitudes and longitudes decode
// alike.
//
//   Minutes mode ("分"): degrees, two digits of whole minutes, optional decimal minutes.
//       "4250.0"  -> 42°50.0'  = 42.8333…     "9338.80" -> 93°38.80' = 93.6466…
//       "42.5"    -> 0°42.5'   = 0.7083…      "4275.0"  -> 43.25 (minutes of 60 or more are kept)
//     The whole text is read by the leading-number rule (below), so reading stops at the first
//     stray character ("42ab" is 0°42', "4250,5" is 4250) and a text without a number is 0. Whole
//     degrees must lie within -327..327, else OverflowError ("421125" in this mode overflows).
//
//   Seconds mode ("秒"): degrees, two digits of minutes, two digits of seconds, no decimal point.
//       "421125"  -> 42°11'25" = 42.1902…     "1021125" -> 102°11'25"
//     The pieces are taken by position, counting characters (Unicode code points, so a Chinese
//     character is one): seconds are the last two characters, minutes the two before them (for a
//     text of two or three characters, its first two; for one character, that character). Each
//     piece must be a number by the strict rule, else TypeMismatchError ("42a125", the empty text).
//     Position is all that counts here: a trailing space shifts the pieces ("421125 " has seconds
//     "5 " and minutes "12"), and "4250.0" has seconds ".0" and minutes "50". The degrees are
//     (whole text - minutes * 100 - seconds) / 10000, rounded half to even, within -32768..32767,
//     else OverflowError.
//
//   Sign: an entry whose first character other than space, tab or line feed is "-" is the negative
//   of the same entry with that "-" removed, in both modes: "-4250.0" is -42.8333…, "-421125" in
//   seconds mode is -42.1902…. The degree limits are the same for both signs.
//
// Leading-number rule (leadingNumber): spaces, tabs and line feeds are dropped wherever they stand
// ("42 50.0" is 4250); then an optional "+" or "-", digits with at most one ".", and optionally an
// exponent ("E", "e", "D" or "d", an optional sign, digits) are read from the start, and the rest
// is ignored. A comma is never a decimal point. No digit read gives 0. Numbers too large for a
// double read as infinity (and then overflow in decoding), too small ones as zero.
//
// Strict rule (strictNumber): after surrounding spaces and tabs are trimmed, the whole text must be
// an optional sign and digits with an optional decimal point, at least one digit; anything else,
// the empty text included, is a TypeMismatchError.
//
// No range is checked here: minutes or seconds of 60 or more and degrees beyond ±90 or ±180 come
// out as they are (readEntry checks the degrees against the box's axis).
#pragma once

#include <cmath>
#include <optional>
#include <string_view>

#include "notation/entry_errors.h"
#include "notation/entry_mode.h"

namespace orvanto {

// Reads the number at the start of the text; never fails.
double leadingNumber(std::string_view text);

// Reads a text that must be a number as a whole; throws TypeMismatchError otherwise.
double strictNumber(std::string_view text);
// The same, nothing for a text that is not a number.
std::optional<double> strictNumberIfAny(std::string_view text);

// Turns one entry text (UTF-8) into signed decimal degrees. Throws OverflowError or, in seconds
// mode, TypeMismatchError. Bytes that are not valid UTF-8 count as one character each.
double decodeEntry(std::string_view text, EntryMode mode);
// The same, the failure returned rather than thrown.
EntryReading decodeEntryOrFailure(std::string_view text, EntryMode mode);

// decodeEntry's value for the shapes nearly every entry has, read in one pass: "-" or nothing,
// then up to 15 digits (with at most one "." in minutes mode; at least four in seconds mode, so
// that no zeros are padded in front), degrees within range. NaN for any other text, which then
// takes the full route (no entry decodes to NaN). Such a text also passes readEntry's
// whole-entry checks.
double plainEntryDegrees(std::string_view text, EntryMode mode) noexcept;

// The same, nothing for any other text. Inline, as every batch entry comes through here: GCC
// returns an optional double from a call through memory, in two halves read back whole, a stall
// on every entry.
inline std::optional<double> decodePlainEntry(std::string_view text, EntryMode mode) noexcept {
    const double degrees = plainEntryDegrees(text, mode);
    return std::isnan(degrees) ? std::nullopt : std::optional<double>{degrees};
}

}  // namespace orvanto
