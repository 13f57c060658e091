#include "format_thousandths.h"

#include <gtest/gtest.h>

#include <limits>

#include "calculation_errors.h"

namespace orvanto {
namespace {

struct FormatRow {
    double value;
    const char* text;
};

TEST(FormatThousandths, WritesTheResultBoxText) {
    const FormatRow rows[] = {
        {123.4567, "123.457"},
        {111.19492469, "111.195"},
        {60.0404968, "60.04"},
        {0.5, ".5"},
        {12, "12."},
        {12345.6789, "12345.679"},
        {1.0005, "1.001"},  // stored as 1.000499…, rounded up at 15 significant digits
        {0.0004, "."},
        {0.0005, ".001"},  // half away from zero
        {-0.0005, "-.001"},
        {0, "."},
        {-0.0, "."},
        {-0.111, "-.111"},
        {-0.000000055, "-."},  // a negative value keeps its sign even when it rounds to zero
        {-4.954255825029286e-10, "-."},
        {9.9995, "10."},  // the carry runs into the whole digits
        {999.9996, "1000."},
        {20014.97526, "20014.975"},
        {1e20, "100000000000000000000."},
        {123456789012.3456, "123456789012.346"},
        {179.99899999999, "179.999"},
    };
    for (const FormatRow& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(formatThousandths(row.value, kKilometrePattern), row.text);
        // The hashes in front of the point never cut digits: both patterns agree.
        EXPECT_EQ(formatThousandths(row.value, kNauticalMilePattern), row.text);
    }
}

TEST(FormatThousandths, RefusesValuesThatAreNotFinite) {
    EXPECT_THROW(formatThousandths(std::numeric_limits<double>::infinity(), kAnglePattern),
                 ArithmeticFault);
    EXPECT_THROW(formatThousandths(std::numeric_limits<double>::quiet_NaN(), kAnglePattern),
                 ArithmeticFault);
}

}  // namespace
}  // namespace orvanto
