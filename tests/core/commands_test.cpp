#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "angle_command.h"
#include "distance_command.h"
#include "failure_messages.h"
#include "in_memory_window.h"

namespace orvanto {
namespace {

using enum TextBox;

constexpr const char* kUnchanged = "(unchanged)";

struct Point {
    const char* latitude;
    const char* longitude;
    bool seconds = false;
};

InMemoryWindow windowWith(const Point& p1, const Point& p2, const Point& r = {"", ""}) {
    InMemoryWindow window;
    window.setText(Text1, p1.latitude);
    window.setText(Text2, p1.longitude);
    window.setText(Text3, p2.latitude);
    window.setText(Text4, p2.longitude);
    window.setText(Text5, r.latitude);
    window.setText(Text6, r.longitude);
    window.select(OptionButton::Option1, !p1.seconds);
    window.select(OptionButton::Option3, !p2.seconds);
    window.select(OptionButton::Option5, !r.seconds);
    // Earlier results, to show that a stopped command leaves them alone.
    window.setText(Text7, kUnchanged);
    window.setText(Text8, kUnchanged);
    window.setText(Text9, kUnchanged);
    return window;
}

struct DistanceCase {
    Point p1, p2;
    std::string kilometres, nauticalMiles;
    std::vector<std::string> messageParts;  // empty when the command completes
};

TEST(DistanceCommand, WritesBothBoxesOrTellsWhy) {
    const DistanceCase cases[] = {
        {{"4250.0", "9338.80"}, {"421125", "1021125", true}, "704.197", "380.236", {}},
        {{"0", "0"}, {"0", "100"}, "111.195", "60.04", {}},
        {{"3112.0", "12130.0"}, {"3506.0", "12900.0"}, "822.175", "443.939", {}},
        {{"4250.0", "9338.80"}, {"4250.0", "9338.80"}, "-.", ".", {}},  // identical points
        {{"9000", "0"}, {"-9000", "0"}, "20014.975", "10807.222", {}},
        {{"0", "17000"}, {"0", "-17000"}, "2235.352", "1206.994", {}},
        {{" ", "0"}, {"0", "100"}, "111.195", "60.04", {}},  // a space is an entry
        {{"-4250.0", "-9338.80"}, {"-421125", "-1021125", true}, "704.197", "380.236", {}},
        {{"4250.0", "9338.80"},
         {"", "9338.80"},
         kUnchanged,
         kUnchanged,
         {"请输入完整的经纬信息！"}},
        {{"421125", "1021125"},
         {"0", "0"},
         kUnchanged,
         kUnchanged,
         {"点Ⅰ纬度", "“421125”", "溢出", "“秒”"}},
        {{"42a125", "1021125", true},
         {"421125", "1021125", true},
         kUnchanged,
         kUnchanged,
         {"点Ⅰ纬度", "“42a125”", "类型不匹配"}},
        {{"0", "0"}, {"4250.0", "4211ab", true}, kUnchanged, kUnchanged, {"点Ⅱ经度", "类型不匹配"}},
        // Mended: a scan without a match is reported, not shown as "-.".
        {{"0", "0"}, {"0", "12000"}, kUnchanged, kUnchanged, {"点Ⅰ与点Ⅱ相距过远"}},
    };
    for (const DistanceCase& c : cases) {
        SCOPED_TRACE(std::string{c.p1.latitude} + " " + c.p1.longitude + " / " + c.p2.latitude +
                     " " + c.p2.longitude);
        InMemoryWindow window = windowWith(c.p1, c.p2);
        const CommandOutcome outcome = runDistanceCommand(window);
        EXPECT_EQ(outcome == CommandOutcome::Completed, c.messageParts.empty());
        EXPECT_EQ(window.text(Text7), c.kilometres);
        EXPECT_EQ(window.text(Text8), c.nauticalMiles);
        EXPECT_EQ(window.text(Text9), kUnchanged);
        ASSERT_EQ(window.messages().size(), c.messageParts.empty() ? 0U : 1U);
        for (const std::string& part : c.messageParts) {
            EXPECT_NE(window.messages().front().text.find(part), std::string::npos) << part;
        }
    }
}

TEST(DistanceCommand, IgnoresTheReferencePoint) {
    for (const Point reference :
         {Point{"", ""}, Point{"abc", "x", true}, Point{"42a125", "", true}}) {
        InMemoryWindow window = windowWith({"0", "0"}, {"0", "100"}, reference);
        EXPECT_EQ(runDistanceCommand(window), CommandOutcome::Completed);
        EXPECT_EQ(window.text(Text7), "111.195");
    }
}

TEST(DistanceCommand, IncompleteEntryMessageHasItsTitle) {
    InMemoryWindow window = windowWith({"4250.0", ""}, {"4250.0", "9338.80"});
    runDistanceCommand(window);
    ASSERT_EQ(window.messages().size(), 1U);
    EXPECT_EQ(window.messages().front().title, "提示");
    EXPECT_FALSE(window.messages().front().failure.has_value());
}

struct AngleCase {
    Point p1, p2, r;
    std::string angle;
    std::vector<std::string> messageParts;
};

TEST(AngleCommand, WritesTheAngleOrTellsWhy) {
    const AngleCase cases[] = {
        {{"3100.0", "12000.0"}, {"2900.0", "12000.0"}, {"3000.0", "12000.0"}, "179.412", {}},
        {{"3100.0", "12000.0"}, {"290000", "1200000", true}, {"3000.0", "12000.0"}, "179.412", {}},
        {{"0", "100.0"}, {"100.0", "0"}, {"0", "0"}, "89.985", {}},
        {{"4250.0", "9338.80"}, {"421125", "1021125", true}, {"4000.0", "10000.0"}, "93.448", {}},
        {{"3100.0", "12000.0"}, {"2900.0", "12100.0"}, {"3100.0", "12000.0"}, "90.004", {}},
        {{"3100.0", "12000.0"}, {"3100.0", "12000.0"}, {"3000.0", "12000.0"}, ".809", {}},
        {{"3000.0", "12000.0"}, {"3000.0", "12000.0"}, {"3000.0", "12000.0"}, "60.005", {}},
        {{"3100.0", "12000.0"}, {"3200.0", "12000.0"}, {"3000.0", "12000.0"}, ".951", {}},
        {{"3100.0", "12000.0"},
         {"2900.0", "12000.0"},
         {"3000.0", ""},
         kUnchanged,
         {"请输入完整的经纬信息！"}},
        {{"42a125", "1200000", true},
         {"2900.0", "12000.0"},
         {"3000.0", "12000.0"},
         kUnchanged,
         {"点Ⅰ纬度", "类型不匹配"}},
        // The first faulty entry in reading order is the one reported.
        {{"3100.0", "12000.0"},
         {"421125", "12000.0"},
         {"42a125", "0", true},
         kUnchanged,
         {"点Ⅱ纬度", "溢出"}},
        {{"0", "0"}, {"0", "0"}, {"327685959", "0", true}, kUnchanged, {"参考点纬度", "溢出"}},
        // Mended: unmatched scans are reported, in the order the distances are measured.
        {{"0", "0"}, {"0", "12000"}, {"1000", "6000"}, kUnchanged, {"点Ⅰ与点Ⅱ相距过远"}},
        {{"0", "0"}, {"0", "1000"}, {"0", "12000"}, kUnchanged, {"点Ⅰ与参考点相距过远"}},
        {{"0", "0"}, {"0", "12000"}, {"0", "6000"}, kUnchanged, {"点Ⅰ与点Ⅱ相距过远"}},
        {{"0", "12000"}, {"0", "0"}, {"0", "11800"}, kUnchanged, {"点Ⅰ与点Ⅱ相距过远"}},
        {{"0", "1000"}, {"0", "-10000"}, {"0", "11000"}, kUnchanged, {"参考点与点Ⅱ相距过远"}},
        {{"3017.0", "12000.0"},
         {"2941.0", "12000.0"},
         {"3000.0", "12000.0"},
         kUnchanged,
         {"无法确定夹角", "180"}},
        {{"3013.0", "12000.0"},
         {"3027.0", "12000.0"},
         {"3000.0", "12000.0"},
         kUnchanged,
         {"无法确定夹角", "同侧"}},
    };
    for (const AngleCase& c : cases) {
        SCOPED_TRACE(std::string{c.p1.latitude} + " " + c.p1.longitude + " / " + c.p2.latitude +
                     " " + c.p2.longitude + " / " + c.r.latitude + " " + c.r.longitude);
        InMemoryWindow window = windowWith(c.p1, c.p2, c.r);
        const CommandOutcome outcome = runAngleCommand(window);
        EXPECT_EQ(outcome == CommandOutcome::Completed, c.messageParts.empty());
        EXPECT_EQ(window.text(Text9), c.angle);
        EXPECT_EQ(window.text(Text7), kUnchanged);
        ASSERT_EQ(window.messages().size(), c.messageParts.empty() ? 0U : 1U);
        for (const std::string& part : c.messageParts) {
            EXPECT_NE(window.messages().front().text.find(part), std::string::npos) << part;
        }
    }
}

TEST(AngleCommand, ReferenceAlmostOnAPointIsNamed) {
    // A reference half a kilometre from point 1: the quantised distances give no direction, and
    // the report must say so rather than blame collinear points.
    InMemoryWindow window =
        windowWith({"3000.0", "12000.0"}, {"3000.0", "12100.0"}, {"3000.1", "12000.3"});
    EXPECT_EQ(runAngleCommand(window), CommandOutcome::Stopped);
    ASSERT_EQ(window.messages().size(), 1U);
    EXPECT_NE(window.messages().front().text.find("参考点与点Ⅰ相距不足"), std::string::npos);
}

TEST(FailureMessages, OverflowHintOnlyForSecondsLikeMinutesEntries) {
    const std::string likeSeconds =
        entryFailureMessage(Text3, "421125", EntryMode::Minutes, FailureKind::Overflow);
    EXPECT_NE(likeSeconds.find("请为点Ⅱ选择“秒”"), std::string::npos);
    const std::string plain =
        entryFailureMessage(Text3, "32800", EntryMode::Minutes, FailureKind::Overflow);
    EXPECT_EQ(plain.find("选择“秒”"), std::string::npos);
}

TEST(FailureMessages, LongTextsAreShortenedWholeCharacters) {
    const std::string message = entryFailureMessage(Text1, std::string(40, 'x') + "中文",
                                                    EntryMode::Seconds, FailureKind::TypeMismatch);
    EXPECT_NE(message.find(std::string(32, 'x') + "…”"), std::string::npos);
    EXPECT_EQ(message.find(std::string(33, 'x')), std::string::npos);
}

TEST(FailureMessages, ArithmeticFaultIsNamed) {
    EXPECT_NE(arithmeticFaultMessage().find("算术错误"), std::string::npos);
}

}  // namespace
}  // namespace orvanto
