// How result numbers are written on the command line. The window's result texts have no leading
// zero and always a decimal point (".5", "12.", "-." for the scan's tiny negative end);
// spreadsheets and scripts read "0.5", "12" and "0" more readily.
#pragma once

#include <string>
#include <string_view>

namespace orvanto::cli {

enum class NumberFormat {
    Window,  // the result boxes' texts, exactly
    Plain,   // the same thousandths with a leading zero and no trailing point
};

// Appends a result text as the window shows it, converted to `format`. The plain form of "." and
// "-." is "0": the window shows "-." for a value that rounds to zero, never for a negative result.
void appendNumber(std::string& out, std::string_view windowText, NumberFormat format);

std::string formattedNumber(std::string_view windowText, NumberFormat format);

}  // namespace orvanto::cli
