#include "calculator/calculation.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "calculator/messages.h"
#include "text/code_points.h"

namespace orvanto {
namespace {

PointEntries minutes(std::string latitude, std::string longitude) {
    return {std::move(latitude), std::move(longitude), EntryMode::Minutes};
}
PointEntries seconds(std::string latitude, std::string longitude) {
    return {std::move(latitude), std::move(longitude), EntryMode::Seconds};
}

constexpr const char* kIncomplete = "请输入完整的经纬信息！";

struct Row {
    CalculatorInput input;
    // The result texts (kilometres, a tab, nautical miles), or a part of the message.
    std::string shown;
    std::optional<EntryBox> box = std::nullopt;  // the box the message points at
};

// The result texts as the front ends show them (distance: kilometres, a tab, nautical miles), or
// the message, checked against a row.
void expectShown(const DistanceTexts& texts, const Row& row) {
    EXPECT_EQ(texts.kilometres + "\t" + texts.nauticalMiles, row.shown);
}
void expectShown(const AngleText& text, const Row& row) {
    EXPECT_EQ(text.degrees, row.shown);
}
void expectShown(const Message& message, const Row& row) {
    EXPECT_NE(message.text.find(row.shown), std::string::npos) << message.text;
    EXPECT_EQ(message.box, row.box);
    EXPECT_EQ(message.title, row.shown == kIncomplete ? "提示" : "错误");
}

TEST(CalculateDistance, GivesBothTextsOrTellsWhy) {
    using enum EntryBox;
    const Row rows[] = {
        {{minutes("4250.0", "9338.80"), seconds("421125", "1021125")}, "704.197\t380.236"},
        {{minutes("0", "0"), minutes("0", "100")}, "111.195\t60.04"},
        // Identical points match one scan step below zero: once shown as "-." km.
        {{minutes("4250.0", "9338.80"), minutes("4250.0", "9338.80")}, ".\t."},
        {{minutes(" ", "0"), minutes("0", "100")}, "111.195\t60.04"},  // a space is an entry
        // Nautical miles come from the kilometre text: from the unrounded 20.3485 km they would
        // be 10.987.
        {{minutes("0", "0"), minutes("0", "011")}, "20.349\t10.988"},
        // The reference point plays no part.
        {{minutes("0", "0"), minutes("0", "100"), seconds("42a125", "")}, "111.195\t60.04"},
        {{minutes("4250.0", "9338.80"), minutes("", "9338.80")}, kIncomplete, Point2Latitude},
        {{minutes("4250.0", ""), minutes("", "9338.80")}, kIncomplete, Point1Longitude},
        {{minutes("421125", "1021125"), minutes("0", "0")},
         "点Ⅰ纬度的输入“421125”数值溢出：按“分”格式（度、分，如 4250.0）读取时，度数须在 -327 到 "
         "327 之间。这个输入像是度分秒写法（如 421125），若是，请为点Ⅰ选择“秒”。",
         Point1Latitude},
        {{minutes("４２１１２５", "0"), minutes("0", "0")}, "请为点Ⅰ选择“秒”", Point1Latitude},
        {{seconds("42a125", "1021125"), seconds("421125", "1021125")},
         "点Ⅰ纬度的输入“42a125”类型不匹配：按“秒”格式（度、两位分、两位秒，如 421125）"
         "读取时，分和秒须是数字。",
         Point1Latitude},
        {{minutes("0", "0"), seconds("4250.0", "4211ab")}, "点Ⅱ经度", Point2Longitude},
        {{minutes("4250.0E", "0"), minutes("0", "0")},
         "点Ⅰ纬度的输入“4250.0E”标的是经度的方向：纬度只能标北、南（N、S），如 4250.0S。",
         Point1Latitude},
        {{minutes("0", "0"), minutes("0", "18000.1")},
         "点Ⅱ经度的输入“18000.1”超出范围：经度须在 -180 到 180 度之间（西经为负）。",
         Point2Longitude},
        {{seconds("\u202e421125\x1b[2J\r\n", "0"), minutes("0", "0")},
         "“U+202E421125\\x1b[2J\\r\\n”类型不匹配",
         Point1Latitude},
        // Long texts are cut at 32 characters in the message.
        {{minutes("0", "0"), seconds(std::string(40, 'x') + "中文", "0")},
         "“" + std::string(32, 'x') + "…”",
         Point2Latitude},
        {{minutes("0", "0"), minutes("0", "12000")}, "点Ⅰ与点Ⅱ相距过远"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input.point1.latitude + " " + row.input.point2.longitude);
        std::visit([&](const auto& shown) { expectShown(shown, row); },
                   calculateDistance(row.input));
    }
}

TEST(CalculateAngle, GivesTheAngleOrTellsWhy) {
    using enum EntryBox;
    const PointEntries p3100 = minutes("3100.0", "12000.0");
    const PointEntries p3000 = minutes("3000.0", "12000.0");
    const PointEntries p2900 = minutes("2900.0", "12000.0");
    const Row rows[] = {
        {{p3100, p2900, p3000}, "179.412"},
        {{p3100, seconds("290000", "1200000"), p3000}, "179.412"},
        {{minutes("4250.0", "9338.80"), seconds("421125", "1021125"), minutes("4000.0", "10000.0")},
         "93.448"},
        // On top of a point the reference point has no direction: once 90.004 and 60.005.
        {{p3100, minutes("2900.0", "12100.0"), p3100}, "参考点与点Ⅰ重合"},
        {{p3100, p2900, p2900}, "参考点与点Ⅱ重合"},
        {{p3000, p3000, p3000}, "参考点与点Ⅰ重合"},
        {{minutes("0", "0"), minutes("0", "12000"), minutes("0", "0")}, "点Ⅰ与点Ⅱ相距过远"},
        {{p3100, p2900, minutes("北纬", "0")},
         "参考点纬度的输入“北纬”只有方向标记",
         ReferenceLatitude},
        {{p3100, p2900, minutes("3000.0", "")}, kIncomplete, ReferenceLongitude},
        {{seconds("42a125", "1200000"), p2900, p3000}, "点Ⅰ纬度", Point1Latitude},
        // The first faulty entry in reading order is the one reported.
        {{p3100, minutes("421125", "12000.0"), seconds("42a125", "0")}, "点Ⅱ纬度", Point2Latitude},
        {{p3100, p2900, seconds("327685959", "0")}, "参考点纬度", ReferenceLatitude},
        // The distances are checked in the order they are measured: 1–2, 1–R, R–2.
        {{minutes("0", "0"), minutes("0", "12000"), minutes("1000", "6000")},
         "点Ⅰ与点Ⅱ相距过远，超出本计算方法的适用范围（按其估算，两点间的弦长已超过地球直径），"
         "无法计算夹角。"},
        {{minutes("0", "0"), minutes("0", "1000"), minutes("0", "12000")}, "点Ⅰ与参考点相距过远"},
        {{minutes("0", "1000"), minutes("0", "-10000"), minutes("0", "11000")},
         "参考点与点Ⅱ相距过远"},
        {{minutes("3017.0", "12000.0"), minutes("2941.0", "12000.0"), p3000},
         "无法确定夹角：三点几乎在一条直线上，参考点位于点Ⅰ与点Ⅱ之间，夹角接近 180 度。"},
        {{minutes("3013.0", "12000.0"), minutes("3027.0", "12000.0"), p3000},
         "无法确定夹角：三点几乎在一条直线上，点Ⅰ与点Ⅱ位于参考点同侧，夹角接近 0 度。"},
        // Half a kilometre from point 1 the quantised distances give no direction; the report
        // must say so rather than blame collinear points.
        {{p3000, minutes("3000.0", "12100.0"), minutes("3000.1", "12000.3")},
         "无法确定夹角：参考点与点Ⅰ相距不足 1 公里，方向无从确定。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input.point1.latitude + " " + row.input.reference.latitude);
        std::visit([&](const auto& shown) { expectShown(shown, row); }, calculateAngle(row.input));
    }
}

// Whatever is typed into a box, the distance comes out or a message names that box and shows the
// text without a raw control character; nothing crashes and no exception escapes.
TEST(CalculateDistance, AnyTextReadsOrIsReportedInItsBox) {
    const std::string alphabet[] = {"0",  "1",      "4",      "9",      ".",     "-",  "+",  "e",
                                    "D",  "S",      "W",      "n",      " ",     "\t", "\n", "\r",
                                    ",",  "a",      "\x1b",   "\xff",   "°",     "′",  "\"", "'",
                                    "度", "秒",     "北纬",   "西",     "５",    "．", "。", "－",
                                    "Ｅ", "\u3000", "\uFEFF", "\u202e", "\u0085"};
    std::mt19937 random(20261206);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<int> length(1, 10);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n) {
            text += alphabet[pick(random)];
        }
        const auto box = static_cast<EntryBox>(i % 4);
        CalculatorInput input{minutes("0", "0"), minutes("0", "0")};
        input.point1.mode = input.point2.mode = i % 8 < 4 ? EntryMode::Minutes : EntryMode::Seconds;
        PointEntries& point = i % 4 < 2 ? input.point1 : input.point2;
        (i % 2 == 0 ? point.latitude : point.longitude) = text;
        const DistanceOutcome outcome = calculateDistance(input);
        const auto* message = std::get_if<Message>(&outcome);
        if (message == nullptr || message->kind == MessageKind::PointsTooFarApart) {
            continue;
        }
        EXPECT_EQ(message->box, box) << text;
        EXPECT_TRUE(message->text.starts_with(boxName(box))) << text;
        for (const char32_t c : decodeUtf8(message->text)) {
            ASSERT_FALSE(c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x202E || c == 0xFEFF ||
                         strayByte(c) >= 0)
                << message->text;
        }
    }
}

}  // namespace
}  // namespace orvanto
