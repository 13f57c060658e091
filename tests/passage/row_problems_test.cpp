// A route's problems in the user's words.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>

#include "passage/row_problems.h"

namespace orvanto::passage {
namespace {

// The calculator's message about an entry, told of its waypoint in one pass: a waypoint named like
// a box keeps its name, and a label's first character alone is no label.
TEST(RowProblems, AnEntrysMessageIsToldOfItsWaypoint) {
    Waypoint waypoint;
    waypoint.name = "点Ⅰ纬度";
    waypoint.line = 3;
    const std::string name = "航点“点Ⅰ纬度”（第 3 行）";
    const std::pair<std::string, std::string> rows[] = {
        {"点Ⅰ纬度的输入“4250”：请为点Ⅰ选择“秒”。",
         name + "的纬度的输入“4250”：请为" + name + "选择“秒”（mode 列写 s）。"},
        {"点Ⅰ经度，选择“分”点", name + "的经度，选择“分”（mode 列写 m）点"},
        {"选择“时”，点", "选择“时”，点"},
    };
    for (const auto& [detail, told] : rows) {
        EXPECT_EQ(problemText(RowProblem::ofWaypoint(RowProblem::Kind::Entry, 0, detail),
                              std::span{&waypoint, 1}, {}),
                  told);
    }
}

}  // namespace
}  // namespace orvanto::passage
