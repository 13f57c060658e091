#include "scan_tables.h"

#include <gtest/gtest.h>

#include "chart_constants.h"

namespace orvanto {
namespace {

// On a platform where these fail the scans stay exact but fall back to stepping pass by pass, and
// nothing but the benchmark would show it.
TEST(ScanTables, AreMonotonicSoTheFastRouteIsUsed) {
    for (const ScanTable* table : {&halfAngleSineTable(), &cosineTable()}) {
        EXPECT_TRUE(table->monotonic);
        EXPECT_EQ(table->passes.size(), static_cast<std::size_t>(chart::kScanPasses));
    }
}

}  // namespace
}  // namespace orvanto
