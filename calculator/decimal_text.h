// The text of a result number, rounded half away from zero to a number of decimals, in one of two
// styles: the window's result boxes have no leading zero and always a decimal point (0.5 gives
// ".5", 12 gives "12." and 0 gives "."); spreadsheets and scripts read the plain "0.5", "12" and
// "0" more readily.
#pragma once

#include <cstddef>
#include <string>

namespace orvanto {

enum class NumberStyle {
    Window,  // ".5", "12.", "."; a negative value keeps its "-" even when it rounds to zero ("-.")
    Plain,   // "0.5", "12", "0"; a value that rounds to zero is "0" whatever its sign
    // Every decimal written, trailing zeros too: "31.5000000" for 7 decimals, "0.0000000" for a
    // value that rounds to zero whatever its sign; for files read by other programs, whose texts
    // then do not depend on the last bits of the value.
    Fixed,
};

// Every result box shows thousandths: kilometres, nautical miles and degrees.
inline constexpr std::size_t kResultDecimals = 3;

// The value is first taken at 15 significant decimal digits, so that 1.0005 (stored as
// 1.000499999…) rounds to "1.001". Trailing zeros of the decimals are left out but in the Fixed
// style. Throws ArithmeticFault for an infinite or NaN value.
std::string formatDecimals(double value, std::size_t decimals, NumberStyle style);

// A result text and the number it reads back as, bit for bit what leadingNumber gives for the
// text: a box converted from another's shown value (nautical miles from the kilometres) needs it
// once a row, and reading it from the units already at hand skips reading the text again.
struct ShownDecimal {
    std::string text;
    double value = 0;
};
ShownDecimal formatShownDecimals(double value, std::size_t decimals, NumberStyle style);

// formatDecimals and formatShownDecimals written over `text`, which keeps its room: a batch run
// writes every result box of its rows through these, a million rows without an allocation. The
// second returns the number the text reads back as.
void assignDecimals(std::string& text, double value, std::size_t decimals, NumberStyle style);
double assignShownDecimals(std::string& text, double value, std::size_t decimals,
                           NumberStyle style);

// The value in units of its last decimal as formatDecimals rounds it (12.3456 to 3 decimals is
// 12346), so that a sum of written values is exact: a total then is the sum of its column. Throws
// ArithmeticFault as formatDecimals does.
long long decimalUnits(double value, std::size_t decimals);

}  // namespace orvanto
