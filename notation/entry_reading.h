// Reading an entry as the user meant it: the one function both front ends use (through the
// calculator) to turn what stands in an entry box into signed decimal degrees.
//
// The user types in the box's point mode, 分 (minutes) or 秒 (seconds), and the box is a latitude
// or a longitude. readEntry takes these steps, in this order:
//
// 1. Characters. Invisible format characters (isInvisibleFormat in code_points.h: U+FEFF,
//    U+200B..U+200F, …) are dropped, as an input method or a spreadsheet leaves them. Full-width
//    digits "０".."９", "＋", "－" and the minus sign U+2212 become their ASCII forms. U+3000 (the
//    ideographic space), the no-break spaces U+00A0, U+2007, U+202F, the line separators U+2028,
//    U+2029, U+0085 and CR are blanks, like space, tab and LF (isBlank). A box of blanks alone
//    never gets here: the calculator counts it as empty. In minutes mode and in the symbol form
//    (4), "．" and "。" are the decimal point; a packed seconds entry has none, so there they stay
//    what they are (and make the entry unreadable by position).
//
// 2. Hemisphere designator: at most one, as the first or the last non-blank part, blanks next to
//    it or not. N S E W in either case, also full width (Ｎ ｎ …), 北 南 东 西, and 北纬 南纬 东经
//    西经. S, W, 南 and 西 make the value negative, as a leading "-" would:
//        "4250.0S" = "S4250.0" = "4250.0南" = "南纬4250.0" = -42.8333…
//    EntryFormError when the designator belongs to the other axis ("4250.0E" in a latitude box),
//    when there are two ("N4250.0S"), when a sign comes with it ("-4250.0S", "-S4250.0") or when no
//    digit is left ("S"). D and d are never designators; an E or e inside the text keeps its
//    exponent meaning ("1E2" is 100, 1°00′ in minutes mode); only an E at an end is a designator.
//    A minutes-mode word without any digit ("nan", "abc") is EntryFormError NotANumber, not a
//    designator with a stray letter.
//
// 3. Packed seconds mode (no degree mark): blanks at both ends are dropped and blanks between
//    two digits (or a sign and a digit) removed before the pieces are taken by position, so
//    "421125 ", " 421125", "42 11 25" and "421125\r\n" all read 42°11′25″ (step 7 says where
//    a blank between digits may stand). (decodeEntry itself
//    takes the pieces by position as they stand; a blank left at the end there would shift them
//    by a digit, kilometres on the chart.) An entry of one to three digits is read as if zeros
//    stood in front: "123" is 0°01′23″, "5" is 0°00′05″, "-123" is -0°01′23″.
//
// 4. Symbol form, whenever a degree mark ° º ˚ or 度 is present, in either mode:
//        [sign] D° [M′ [S″]]
//    with minute marks ′ ' ’ ‘ ＇ 分 and second marks ″ " ” “ ＂ 秒 or two minute marks of any
//    kind ('', ‘‘), as plain typing and Chinese punctuation mode give them. The last piece may
//    leave out its mark, and only the last piece may have decimals:
//        "42°50.0′" = "42°50.0'" = 42.8333…    "42°11′25″" = "北纬42度11分25秒" = 42.1902…
//        "42°30" = "42.5°" = 42.5              "120.25°W" (longitude) = -120.25
//    Blanks next to a mark are ignored; a blank between two digits is EntryFormError ("42° 11 25"
//    could be 42°11′25″ or 42°1125′). So is any other text with a degree mark ("42°50,5′",
//    "42°11.5′30″"). The value is (D + M / 60) + S / 3600 in doubles, in that order, the pieces
//    read with correct rounding; the sign or designator applies to the whole.
//
// 5. Everything else: an entry without a degree mark goes to decodeEntry (entry_decoding.h), which
//    documents the minutes and seconds notations, the leading-number and strict rules, the
//    negative-entry reading and OverflowError and TypeMismatchError:
//        "4250.0" (分) = 42°50.0′     "421125" (秒) = 42°11′25″     "42.5" (分) = 0°42.5′
//
// 6. Whole entry. decodeEntry stops at a stray character or takes pieces by position, so its
//    errors come first and then the text it was given is checked as a whole, blanks aside
//    (EntryFormError):
//      - Comma: a "," "，" or "、" is neither a decimal point nor a separator ("4250,5").
//      - TwoSigns: one sign at most ("--4250.0", "-+4250.0").
//      - NotANumber, minutes mode: the entry must be one number: an optional sign, digits with at
//        most one point, optionally E, e, D or d with an optional sign and at least one digit.
//        "42ab", "abc", "4250.0x", "4250.0.0", "1e+" are refused; "1E2" and "1D2" are 1°00′.
//      - SecondsNotDigits, seconds mode: after the sign or designator, digits alone ("4250.0",
//        "421125.5", "#421125"); pieces that are no numbers stay TypeMismatchError ("42a125").
//
// 7. Blanks inside the number (not those around it, nor those after a sign or designator) may
//    stand only between the groups a chart writes apart, else EntryFormError:
//      - MinutesSplit: in minutes mode one run, right before the two digits of whole minutes:
//        "42 50.0", "42 05" and "0 00.0" read; "42 5.0", "4250 .0", "42 50. 5", "1 E2" do not.
//      - SecondsSplit: in seconds mode right before the minutes and/or the seconds, with a digit
//        of degrees in front: "42 11 25", "4211 25", "0 00 05" read; "42 11" (it would be
//        0°42′11″), "42 11 5", "421 125" do not.
//    An entry with an exponent takes none.
//
// 8. Range: a latitude must lie within -90..90 and a longitude within -180..180, else
//    OutOfRangeError ("9338.80" is 93°38.80′, a longitude, not a latitude). Minutes or seconds of
//    60 and more stay as they are ("4275.0" is 43.25).
#pragma once

#include <cmath>
#include <optional>
#include <string_view>

#include "notation/entry_decoding.h"
#include "notation/entry_errors.h"
#include "notation/entry_mode.h"

namespace orvanto {

// Turns one entry text (UTF-8), typed in `mode` into a box for `axis`, into signed decimal
// degrees. Throws EntryFormError (what is wrong in its problem()), OutOfRangeError, or
// decodeEntry's OverflowError or (seconds mode) TypeMismatchError, all declared in
// entry_errors.h.
double readEntry(std::string_view text, EntryMode mode, Axis axis);
// The same, the failure returned rather than thrown: for readers of many entries.
EntryReading readEntryOrFailure(std::string_view text, EntryMode mode, Axis axis);

// Whether degrees lie within the axis's range (step 8): -90..90 for a latitude, -180..180 for a
// longitude. NaN does not.
inline bool isWithinAxisRange(double degrees, Axis axis) noexcept {
    return std::fabs(degrees) <= (axis == Axis::Latitude ? 90 : 180);
}

// readEntry's value for a plain entry ("-4250.5") within the axis's range, as nearly every batch
// field is, with no exception on any route; nothing for any other text, which readEntry then reads
// or rejects. In the browser build every call that may throw costs a trip through JavaScript.
inline std::optional<double> readPlainEntry(std::string_view text, EntryMode mode,
                                            Axis axis) noexcept {
    const double degrees = plainEntryDegrees(text, mode);  // NaN is within no range
    return isWithinAxisRange(degrees, axis) ? std::optional<double>{degrees} : std::nullopt;
}

}  // namespace orvanto
