// Legs sailed as the waypoint file's leg column says, with and without the plan's 分点 and
// limiting latitude, and the current they cannot take whole.
#include <gtest/gtest.h>

#include <string>

#include "passage/passage_values.h"
#include "passage/route_request.h"

namespace orvanto::passage {
namespace {

// --every and --limit-latitude as typed, or not given.
struct Cutting {
    const char* every = nullptr;
    const char* limit = nullptr;
};

// The kinds of a route's rows ("L" a whole leg, "R" rhumb, "G" great circle), or its problem.
std::string rowKinds(const std::string& csv, Cutting cutting, bool current = false) {
    PassageRequest request;
    request.waypoints.bytes = csv;
    request.every = cutting.every ? readStep(cutting.every) : std::nullopt;
    request.limitLatitude = cutting.limit ? readLimitLatitude(cutting.limit) : std::nullopt;
    request.speed = current ? std::optional{12.0} : std::nullopt;
    request.current = current ? readCurrent("090/1") : std::nullopt;
    const auto plan = planPassage(request);
    if (!plan) {
        return plan.error().kind == PassageProblem::Kind::Rule ? "rule" : plan.error().text;
    }
    std::string kinds;
    for (const RouteRow& row : plan.value().route.rows) {
        kinds += row.kind == RowKind::Leg ? 'L' : row.kind == RowKind::Rhumb ? 'R' : 'G';
        kinds += row.problems.empty() ? "" : "!";
    }
    return kinds;
}

// 长江口 → 旧金山 → back, the great circle bowing up to 52°N.
std::string pacific(const char* first, const char* second) {
    return std::string{"name,lat,lon,leg\nA,3100.0,12230.0,"} + first + "\nB,3748.0,12230.0W," +
           second + "\nC,3100.0,12230.0,nonsense\n";
}

TEST(LegSailing, EachLegAsItsFileSaysOrAsThePlanCutsIt) {
    const struct {
        const char* first;
        const char* second;
        const char* every;
        const char* limit;
        const char* kinds;
    } rows[] = {
        {"", "", nullptr, nullptr, "LL"},
        {"GC", "rl", nullptr, nullptr, "GR"},
        {" 大圆 ", "恒向线", nullptr, nullptr, "GR"},
        {"ＧＣ", "", nullptr, nullptr, "GL"},
        // 分点 on the default and the great-circle legs, the rhumb line one row.
        {"RL", "", "30°", nullptr, "RRRRR"},
        {"GC", "RL", "30°", nullptr, "RRRRR"},
        // Composite sailing but for the rhumb line, which keeps south of the limit by itself.
        {"RL", "GC", nullptr, "45", "RGRG"},
        {"", "RL", nullptr, "45", "GRGR"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(rowKinds(pacific(row.first, row.second), {row.every, row.limit}), row.kinds)
            << row.first << "|" << row.second << "|" << (row.every ? row.every : "")
            << (row.limit ? row.limit : "");
    }
}

TEST(LegSailing, AFieldThatNamesNoSailingFailsItsLegAndNoFileLeavesItOut) {
    PassageRequest request;
    const std::string csv = "名称,纬度,经度,航法\nA,0,0,大圈\nB,0,100.0,\nC,0,200.0,\n";
    request.waypoints.bytes = csv;
    request.files = true;
    const auto plan = planPassage(request);
    ASSERT_TRUE(plan);
    const auto& rows = plan.value().route.rows;
    ASSERT_EQ(rows.size(), 2U);
    ASSERT_EQ(rows[0].problems.size(), 1U);
    EXPECT_EQ(
        problemText(rows[0].problems[0], plan.value().waypoints, {}),
        "航点“A”（第 2 行）的航法“大圈”无法识别：应为 RL（恒向线）或 GC（大圆），留空则按默认");
    EXPECT_TRUE(rows[1].problems.empty());
    EXPECT_FALSE(plan.value().gpx);
}

TEST(LegSailing, AGreatCircleSailedWholeHasNoCourseToSteerInACurrent) {
    // The last waypoint's leg field starts no leg.
    EXPECT_EQ(rowKinds("name,lat,lon,leg\nA,0,0,RL\nB,0,10.0,\nC,0,20.0,GC\n", {}, true), "RL");
    EXPECT_EQ(rowKinds(pacific("RL", "GC"), {}, true), "rule");
    EXPECT_EQ(rowKinds(pacific("RL", "GC"), {"30°"}, true), "RRRRR");
}

}  // namespace
}  // namespace orvanto::passage
