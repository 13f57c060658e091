#include "calculator/calculation.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>

#include "calculator/decoded_points.h"

namespace orvanto {
namespace {

PointEntries minutes(std::string latitude, std::string longitude) {
    return {std::move(latitude), std::move(longitude), EntryMode::Minutes};
}
PointEntries seconds(std::string latitude, std::string longitude) {
    return {std::move(latitude), std::move(longitude), EntryMode::Seconds};
}

constexpr const char* kIncomplete = "请输入完整的经纬信息！";
constexpr const char* kNotANumber = "不是一个数：按“分”格式";
constexpr const char* kNotDigits = "不全是数字：按“秒”格式";

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
    const PointEntries origin = minutes("0", "0");
    const Row rows[] = {
        {{minutes("4250.0", "9338.80"), seconds("421125", "1021125")}, "704.197\t380.236"},
        {{minutes("0", "0"), minutes("0", "1D2")}, "111.195\t60.04"},
        // Identical points match one scan step below zero: once shown as "-." km.
        {{minutes("4250.0", "9338.80"), minutes("4250.0", "9338.80")}, ".\t."},
        // Blanks and invisible characters alone are an empty box, not 0°.
        {{minutes("\u00a0\u3000\t\r\n", "0"), origin}, kIncomplete, Point1Latitude},
        {{origin, seconds("0", "\u2007\u202f\u200b\ufeff ")}, kIncomplete, Point2Longitude},
        // Typos once read as places without a word: each is told, in the order of the checks.
        {{minutes("42ab", "0"), origin}, "点Ⅰ纬度的输入“42ab”不是一个数", Point1Latitude},
        {{seconds("5000.00", "0"), origin}, "若是，请为点Ⅰ选择“分”。", Point1Latitude},
        {{seconds("421125.5", "0"), origin}, "如 42°11′25.5″", Point1Latitude},
        {{seconds("ab421125", "0"), origin}, kNotDigits, Point1Latitude},
        {{seconds("#421125", "0"), origin}, kNotDigits, Point1Latitude},
        {{minutes("421125x", "0"), origin}, "数值溢出", Point1Latitude},  // the old errors first
        {{seconds("-123", "0"), seconds("5", "0")}, "2.669\t1.441"},  // -0°01′23″, 0°00′05″
        {{seconds("123", "0"), seconds("-123", "0")}, "5.115\t2.762"},
        {{minutes("42\u00a050.0", "1E2"), minutes("\u202f4250.0", "100")}, ".\t."},
        {{minutes("42°50‘30‘‘", "0"), minutes("42°11＇25＂", "0")}, "72.388\t39.086"},
        {{minutes("42°50＇", "0"), seconds("42°11‘25“", "0")}, "71.498\t38.606"},
        // Nautical miles come from the kilometre text: from the unrounded 20.3485 km they would
        // be 10.987.
        {{minutes("0", "0"), minutes("0", "011")}, "20.349\t10.988"},
        // The reference point plays no part.
        {{minutes("0", "0"), minutes("0", "100"), seconds("42a125", "")}, "111.195\t60.04"},
        {{minutes("4250.0", "9338.80"), minutes("", "9338.80")}, kIncomplete, Point2Latitude},
        {{minutes("4250.0", ""), minutes("", "9338.80")}, kIncomplete, Point1Longitude},
        {{minutes("421125", "1021125"), minutes("0", "0")},
         "点Ⅰ纬度的输入“421125”数值溢出",
         Point1Latitude},
        {{minutes("４２１１２５", "0"), minutes("0", "0")}, "请为点Ⅰ选择“秒”", Point1Latitude},
        {{seconds("42a125", "1021125"), seconds("421125", "1021125")},
         "点Ⅰ纬度的输入“42a125”类型不匹配",
         Point1Latitude},
        {{minutes("0", "0"), seconds("4250.0", "4211ab")},
         "点Ⅱ纬度的输入“4250.0”不全是数字",
         Point2Latitude},
        {{minutes("4250.0E", "0"), minutes("0", "0")},
         "点Ⅰ纬度的输入“4250.0E”标的是经度的方向",
         Point1Latitude},
        {{minutes("0", "0"), minutes("0", "18000.1")},
         "点Ⅱ经度的输入“18000.1”超出范围",
         Point2Longitude},
        {{seconds("\u202e421125\x1b[2J\r\n", "0"), minutes("0", "0")},
         "“U+202E421125U+001B[2J\\r\\n”类型不匹配",
         Point1Latitude},
        // Long texts are cut at 32 characters in the message.
        {{minutes("0", "0"), seconds(std::string(40, 'x') + "中文", "0")},
         "“" + std::string(32, 'x') + "…”",
         Point2Latitude},
        {{minutes("0", "0"), seconds(std::string(30, 'x') + "中文\r中", "0")},
         "“" + std::string(30, 'x') + "中文…”",
         Point2Latitude},
        {{minutes("0", "0"), minutes("0", "12000")}, "点Ⅰ与点Ⅱ相距过远"},
        // Grouped digits: read where a chart writes the groups apart, told anywhere else.
        {{minutes("42 05", "0"), seconds("42 05 00", "0")}, ".\t."},
        {{seconds("0 00 05", "0"), seconds("5", "0")}, ".\t."},
        {{minutes("0", "0"), seconds("0", "42 11")},
         "点Ⅱ经度的输入“42 11”中的数字被空格隔开",
         Point2Longitude},
        {{minutes("42 50 30", "0"), origin}, "请为点Ⅰ选择“秒”", Point1Latitude},
        {{minutes("\u2028\u0085", "0"), origin}, kIncomplete, Point1Latitude},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input.point1.latitude + " " + row.input.point2.longitude);
        std::visit([&](const auto& shown) { expectShown(shown, row); },
                   calculateDistance(row.input));
    }
    // More typos once read as places without a word, in point 1's latitude (分).
    const char* const kComma = "含有逗号";
    const char* const kSigns = "有不止一个正负号";
    const std::pair<const char*, const char*> typos[] = {
        {"abc", kNotANumber},
        {"4250.0x", kNotANumber},
        {"x4250.0", kNotANumber},
        {"inf", kNotANumber},
        {"nan", kNotANumber},
        {"42-50.0", kNotANumber},
        {"4250.0.0", kNotANumber},
        {"北緯4250.0", kNotANumber},
        {"1e+", kNotANumber},
        {"9999x", kNotANumber},
        {"4250，5", kComma},
        {"4250、5", kComma},
        {"124,54.2", kComma},
        {"- -4250.0", kSigns},
        {"-－4250.0", kSigns},
        {"-+4250.0", kSigns},
        {"4250,5", kComma},
        {"--4250.0", kSigns},
        {"42 5.0", "位置不对：按“分”格式读取时，空格只能在两位分之前，如 42 05.0；"},
        {"4 2 50.0", "写成 4205.0 这样"},
    };
    for (const auto& [typo, part] : typos) {
        const Row row{{minutes(typo, "0"), origin}, part, EntryBox::Point1Latitude};
        expectShown(std::get<Message>(calculateDistance(row.input)), row);
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

// A batch row reads its six boxes once and measures point 1 to point 2 once for both commands:
// each command still sees its own first problem, in its own order of checks.
TEST(DecodedEntries, ServeBothCommandsAsEachAlone) {
    const CalculatorInput typoAndNoReference{minutes("42ab", "0"), minutes("0", "0")};
    const DecodedEntries stopped{typoAndNoReference, kAnglePoints};
    const Row typo{typoAndNoReference, kNotANumber, EntryBox::Point1Latitude};
    expectShown(std::get<Message>(stopped.pointsOrMessage(kDistancePoints)), typo);
    const Row noReference{typoAndNoReference, kIncomplete, EntryBox::ReferenceLatitude};
    expectShown(std::get<Message>(stopped.pointsOrMessage(kAnglePoints)), noReference);

    const DecodedEntries worked{
        {minutes("4250.0", "9338.80"), seconds("421125", "1021125"), minutes("4000.0", "10000.0")},
        kAnglePoints};
    const auto points = std::get<DecodedPoints>(worked.pointsOrMessage(kAnglePoints));
    const auto leg = std::get<DistanceMeasurement>(measurePoint1ToPoint2(points));
    expectShown(std::get<DistanceTexts>(distanceTexts(leg)), {{}, "704.197\t380.236"});
    expectShown(std::get<AngleText>(angleText(points, leg)), {{}, "93.448"});

    // A batch row's boxes are written over the last row's: no text of it may stay, nor a half of
    // a result beside the message.
    DistanceTexts reused{"12345.678", "6666.666"};
    EXPECT_FALSE(
        writeDistanceTexts(leg, NumberStyle::Window, reused.kilometres, reused.nauticalMiles));
    expectShown(reused, {{}, "704.197\t380.236"});
    DistanceMeasurement unmatched = leg;
    unmatched.matched = false;
    const auto message =
        writeDistanceTexts(unmatched, NumberStyle::Plain, reused.kilometres, reused.nauticalMiles);
    ASSERT_TRUE(message);
    expectShown(reused, {{}, "\t"});
}

}  // namespace
}  // namespace orvanto
