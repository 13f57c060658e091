#include "calculator/messages.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "notation/entry_errors.h"
#include "notation/entry_reading.h"
#include "text/code_points.h"
#include "text/printable.h"

namespace orvanto {
namespace {

constexpr std::string_view kIncompleteEntryText = "请输入完整的经纬信息！";
constexpr std::string_view kIncompleteEntryTitle = "提示";
constexpr std::string_view kFailureTitle = "错误";

constexpr std::size_t kQuotedCharacters = 32;

// Closer than this the distances (quantised to about 0.111 km) say nothing about direction.
constexpr double kTooCloseKm = 1.0;

Message failure(MessageKind kind, std::string text, std::optional<EntryBox> box = std::nullopt) {
    return {kind, std::string{kFailureTitle}, std::move(text), box};
}

// The text as typed, in quotes, never raw; long pasted texts are cut so that the box stays
// readable.
std::string quoted(std::string_view text) {
    std::size_t end = 0;  // where the quoted characters end
    for (std::size_t count = 0; count < kQuotedCharacters && end < text.size(); ++count) {
        end += characterAt(text, end).second;
    }
    return "“" + printable(text.substr(0, end)) + (end < text.size() ? "…”" : "”");
}

bool isLatitude(EntryBox box) {
    return entryBoxRow(box).axis == Axis::Latitude;
}

// "点Ⅰ纬度的输入“…”": how every message about one entry begins.
std::string entryQuoted(EntryBox box, std::string_view text) {
    return std::string{entryBoxRow(box).label} + "的输入" + quoted(text);
}

// Examples for the designator messages, in the box's own axis.
struct AxisWords {
    std::string_view hemispheres;  // the designators the box takes
    std::string_view entry;        // a minutes-mode entry
    std::string_view negative;     // the designator of the negative side
    std::string_view otherAxis;    // what the wrong designator belongs to
};
constexpr AxisWords kLatitudeWords{"北、南（N、S）", "4250.0", "S", "经度"};
constexpr AxisWords kLongitudeWords{"东、西（E、W）", "12130.0", "W", "纬度"};

// Six or more digits in front of any decimal point, as typed or in full width, run together or
// in groups ("42 50 30"): degrees, minutes and seconds.
bool looksLikeSecondsNotation(std::string_view text) {
    std::size_t digits = 0;
    for (const char32_t c : decodeUtf8(text)) {
        if ((c >= U'0' && c <= U'9') || isFullWidthDigit(c)) {
            ++digits;
        } else if (digits > 0 && !isBlank(c)) {
            break;
        }
    }
    return digits >= 6;
}

// What a seconds-mode entry that is not digits alone most likely is: a minutes-mode entry when it
// reads as one, else seconds with decimals, which only the degree-mark form takes.
std::string secondsHint(EntryBox box, std::string_view text) {
    if (readEntryOrFailure(text, EntryMode::Minutes, entryBoxRow(box).axis)) {
        return "这个输入像是度分写法（如 4250.0），若是，请为" +
               std::string{pointName(entryBoxRow(box).point)} + "选择“分”。";
    }
    return "这里的秒不带小数；秒有小数时请用度分秒符号写，如 42°11′25.5″。";
}

}  // namespace

std::string_view pointName(Point point) {
    switch (point) {
        case Point::One:
            return "点Ⅰ";
        case Point::Two:
            return "点Ⅱ";
        case Point::Reference:
            return "参考点";
    }
    return "";
}

Message incompleteEntryMessage(EntryBox firstEmpty) {
    return {MessageKind::IncompleteEntry, std::string{kIncompleteEntryTitle},
            std::string{kIncompleteEntryText}, firstEmpty};
}

Message entryFailureMessage(EntryBox box, std::string_view text, EntryMode mode, MessageKind kind) {
    std::string message = entryQuoted(box, text);
    if (kind == MessageKind::TypeMismatch) {
        message +=
            "类型不匹配：按“秒”格式（度、两位分、两位秒，如 421125）读取时，分和秒须是数字。";
    } else if (mode == EntryMode::Minutes) {
        message += "数值溢出：按“分”格式（度、分，如 4250.0）读取时，度数须在 -327 到 327 之间。";
        if (looksLikeSecondsNotation(text)) {
            message += "这个输入像是度分秒写法（如 421125），若是，请为" +
                       std::string{pointName(entryBoxRow(box).point)} + "选择“秒”。";
        }
    } else {
        message += "数值溢出：按“秒”格式读取时，度数须在 -32768 到 32767 之间。";
    }
    return failure(kind, std::move(message), box);
}

Message entryFormMessage(EntryBox box, std::string_view text, EntryFormProblem problem) {
    const AxisWords& words = isLatitude(box) ? kLatitudeWords : kLongitudeWords;
    const std::string entry{words.entry};
    const std::string negative = entry + std::string{words.negative};
    std::string why;
    switch (problem) {
        case EntryFormProblem::OtherAxis:
            why = "标的是" + std::string{words.otherAxis} + "的方向：" +
                  std::string{isLatitude(box) ? "纬度" : "经度"} + "只能标" +
                  std::string{words.hemispheres} + "，如 " + negative + "。";
            break;
        case EntryFormProblem::TwoDesignators:
            why = "有两个方向标记：只能在开头或末尾写一个，如 " + negative + " 或 " +
                  std::string{words.negative} + entry + "。";
            break;
        case EntryFormProblem::DesignatorWithSign:
            why =
                "同时带有正负号和方向标记：两者只能用其一，如 -" + entry + " 或 " + negative + "。";
            break;
        case EntryFormProblem::NoDigit:
            why = "只有方向标记，没有数字：请写上坐标，如 " + negative + "。";
            break;
        case EntryFormProblem::SymbolForm:
            why = "无法按度分秒符号读取：应写成 42°50.5′ 或 42°11′25″ 这样，只有最后一项可带小数。";
            break;
        case EntryFormProblem::DigitsSplit:
            why = "中的数字被空格隔开，含义不明：度、分、秒之间请写上符号，如 42°11′25″。";
            break;
        case EntryFormProblem::Comma:
            why =
                "含有逗号：这里的逗号既不是小数点也不是分隔符，小数请用小数点，如 " + entry + "。";
            break;
        case EntryFormProblem::TwoSigns:
            why = "有不止一个正负号：最多只能写一个，如 -" + entry + "。";
            break;
        case EntryFormProblem::NotANumber:
            why = "不是一个数：按“分”格式（度、分，如 " + entry +
                  "）读取时，整个输入须是一个数：可带一个正负号，数字中最多一个小数点，"
                  "其后可带指数（E、e、D 或 d，可带正负号，至少一位数字，如 1E2）。";
            break;
        case EntryFormProblem::SecondsNotDigits:
            why =
                "不全是数字：按“秒”格式（度、两位分、两位秒，如 421125）读取时，"
                "除正负号或方向标记外只能有数字。" +
                secondsHint(box, text);
            break;
        case EntryFormProblem::MinutesSplit:
            why =
                "中的数字被空格隔开，位置不对：按“分”格式读取时，空格只能在两位分之前，"
                "如 42 05.0；不确定时请不加空格，写成 4205.0 这样。";
            break;
        case EntryFormProblem::SecondsSplit:
            why =
                "中的数字被空格隔开，位置不对：按“秒”格式读取时，空格只能在两位分或两位秒之前，"
                "写成 420525 或 42 05 25 这样。";
            break;
    }
    return failure(MessageKind::EntryForm, entryQuoted(box, text) + why, box);
}

Message outOfRangeMessage(EntryBox box, std::string_view text) {
    const std::string why = isLatitude(box) ? "超出范围：纬度须在 -90 到 90 度之间（南纬为负）。"
                                            : "超出范围：经度须在 -180 到 180 度之间（西经为负）。";
    return failure(MessageKind::OutOfRange, entryQuoted(box, text) + why, box);
}

Message pointsCoincideMessage(Point point) {
    return failure(MessageKind::PointsCoincide,
                   "参考点与" + std::string{pointName(point)} +
                       "重合（相距不足约 0.1 公里），无从确定方向，无法计算夹角。");
}

Message arithmeticFaultMessage() {
    return failure(MessageKind::ArithmeticFault,
                   "计算中发生算术错误（除以零或数值溢出），无法得出结果。请检查输入。");
}

Message pointsTooFarApartMessage(Point first, Point second, std::string_view purpose) {
    // The estimate has no angle once its chord exceeds the earth's diameter; how far apart two
    // points may be before that happens depends on where they lie, so no distance is promised.
    return failure(MessageKind::PointsTooFarApart,
                   std::string{pointName(first)} + "与" + std::string{pointName(second)} +
                       "相距过远，超出本计算方法的适用范围（按其估算，两点间的弦长已超过地球直径）"
                       "，无法计算" +
                       std::string{purpose} + "。");
}

Message angleNotDeterminableMessage(const AngleMeasurement& angle) {
    const double point1ToReferenceKm = angle.point1ToReference.kilometres;
    const double referenceToPoint2Km = angle.referenceToPoint2.kilometres;
    const double cosine = angle.cosine;
    std::string why;
    if (std::min(point1ToReferenceKm, referenceToPoint2Km) < kTooCloseKm) {
        why = point1ToReferenceKm <= referenceToPoint2Km
                  ? "参考点与点Ⅰ相距不足 1 公里，方向无从确定。"
                  : "参考点与点Ⅱ相距不足 1 公里，方向无从确定。";
    } else if (cosine < 0) {
        why = "三点几乎在一条直线上，参考点位于点Ⅰ与点Ⅱ之间，夹角接近 180 度。";
    } else {
        why = "三点几乎在一条直线上，点Ⅰ与点Ⅱ位于参考点同侧，夹角接近 0 度。";
    }
    return failure(MessageKind::AngleNotDeterminable, "无法确定夹角：" + why);
}

}  // namespace orvanto
