#include "scan_tables.h"

#include <gtest/gtest.h>

#include "chart_constants.h"

namespace orvanto {
namespace {

// On a platform where these fail the scans stay exact but fall back to stepping pass by pass, and
// nothing else would show it but the benchmark.
TEST(ScanTables, AreMonotonicSoTheFastRouteIsUsed) {
    const ScanTables& tables = scanTables();
    EXPECT_TRUE(tables.halfAngleSinesDescend);
    EXPECT_TRUE(tables.cosinesAscend);
    EXPECT_EQ(tables.passes(), static_cast<std::size_t>(chart::kScanPasses));
}

}  // namespace
}  // namespace orvanto
