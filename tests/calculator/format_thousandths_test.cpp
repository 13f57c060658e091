#include "calculator/format_thousandths.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/calculation_errors.h"

namespace orvanto {
namespace {

TEST(FormatThousandths, WritesTheResultBoxText) {
    // clang-format off
    const std::pair<double, const char*> rows[] = {
        {123.4567, "123.457"}, {111.19492469, "111.195"}, {60.0404968, "60.04"}, {0.5, ".5"},
        {12, "12."}, {12345.6789, "12345.679"}, {0.0004, "."}, {0.0005, ".001"}, {-0.0005, "-.001"},
        {0, "."}, {-0.0, "."}, {-0.111, "-.111"}, {1e20, "100000000000000000000."},
        {1.0005, "1.001"},      // stored as 1.000499…, rounded up at 15 significant digits
        {-0.000000055, "-."},   // a negative value keeps its sign even when it rounds to zero
        {9.9995, "10."}, {999.9996, "1000."},  // the carry runs into the whole digits
        {179.99899999999, "179.999"},
    };
    // clang-format on
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(formatThousandths(value, kKilometrePattern), text);
        // The hashes in front of the point never cut digits: both patterns agree.
        EXPECT_EQ(formatThousandths(value, kNauticalMilePattern), text);
    }
    EXPECT_THROW(formatThousandths(INFINITY, kAnglePattern), ArithmeticFault);
    EXPECT_THROW(formatThousandths(NAN, kAnglePattern), ArithmeticFault);
}

}  // namespace
}  // namespace orvanto
