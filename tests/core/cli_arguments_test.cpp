#include "cli_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace orvanto::cli {
namespace {

std::variant<Request, UsageError> parse(std::vector<std::string_view> arguments) {
    return parseArguments(arguments);
}

struct AcceptedRow {
    std::vector<std::string_view> arguments;
    Action action;
    std::vector<bool> seconds;
    std::vector<std::string> entries;
};

TEST(CliArguments, Accepted) {
    const AcceptedRow rows[] = {
        {{"distance", "1", "2", "3", "4"},
         Action::Distance,
         {false, false, false},
         {"1", "2", "3", "4"}},
        {{"distance", "--seconds=2", "-4250.0", "", "3", "4"},
         Action::Distance,
         {false, true, false},
         {"-4250.0", "", "3", "4"}},
        {{"--seconds=1,2,r", "angle", "1", "2", "3", "4", "5", "6"},
         Action::Angle,
         {true, true, true},
         {"1", "2", "3", "4", "5", "6"}},
        {{"angle", "1", "2", "--", "--3", "4", "5", "6"},
         Action::Angle,
         {false, false, false},
         {"1", "2", "--3", "4", "5", "6"}},
        {{"distance", "--seconds=r", "a", "b", "c", "d"},
         Action::Distance,
         {false, false, true},
         {"a", "b", "c", "d"}},
        {{"distance", "--help"}, Action::Help, {false, false, false}, {}},
        {{"--version"}, Action::Version, {false, false, false}, {}},
    };
    for (const AcceptedRow& row : rows) {
        SCOPED_TRACE(std::string{row.arguments.front()});
        const auto result = parse(row.arguments);
        ASSERT_TRUE(std::holds_alternative<Request>(result));
        const Request& request = std::get<Request>(result);
        EXPECT_EQ(request.action, row.action);
        EXPECT_EQ(request.entries, row.entries);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(request.seconds[i], row.seconds[i]) << i;
        }
    }
}

struct RejectedRow {
    std::vector<std::string_view> arguments;
    std::string_view named;  // what the problem must name
};

TEST(CliArguments, RejectedWithTheReason) {
    const RejectedRow rows[] = {
        {{}, "子命令"},
        {{"area", "1"}, "“area”"},
        {{"distance", "1", "2", "3"}, "4 个坐标，实际给出 3 个"},
        {{"angle", "1", "2", "3", "4", "5", "6", "7"}, "6 个坐标，实际给出 7 个"},
        {{"distance", "--verbose", "1", "2", "3", "4"}, "“--verbose”"},
        {{"distance", "--seconds=3", "1", "2", "3", "4"}, "“3”"},
        {{"distance", "--seconds=1,,2", "1", "2", "3", "4"}, "“”"},
        {{"distance", "--seconds=", "1", "2", "3", "4"}, "--seconds="},
        {{"distance", "--seconds", "1", "2", "3", "4"}, "--seconds=列表"},
    };
    for (const RejectedRow& row : rows) {
        SCOPED_TRACE(std::string{row.named});
        const auto result = parse(row.arguments);
        ASSERT_TRUE(std::holds_alternative<UsageError>(result));
        EXPECT_NE(std::get<UsageError>(result).problem.find(row.named), std::string::npos)
            << std::get<UsageError>(result).problem;
    }
}

}  // namespace
}  // namespace orvanto::cli
