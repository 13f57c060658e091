#include "calculator/messages.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "geometry/code_points.h"

namespace orvanto {
namespace {

constexpr std::string_view kIncompleteEntryText = "请输入完整的经纬信息！";
constexpr std::string_view kIncompleteEntryTitle = "提示";
constexpr std::string_view kFailureTitle = "错误";

// Long pasted texts are cut in the message so that the box stays readable.
constexpr std::size_t kQuotedCharacters = 32;

// Closer than this the distances (quantised to about 0.111 km) say nothing about direction.
constexpr double kTooCloseKm = 1.0;

Message failure(MessageKind kind, std::string text, std::optional<EntryBox> box = std::nullopt) {
    return {kind, std::string{kFailureTitle}, std::move(text), box};
}

std::string quoted(std::string_view text) {
    const std::vector<std::size_t> starts = codePointOffsets(text);
    std::string shown{text};
    if (starts.size() > kQuotedCharacters) {
        shown = std::string{text.substr(0, starts[kQuotedCharacters])} + "…";
    }
    return "“" + shown + "”";
}

// Six or more digits in front of any decimal point: degrees, minutes and seconds run together.
bool looksLikeSecondsNotation(std::string_view text) {
    const std::size_t first = text.find_first_of("0123456789");
    if (first == std::string_view::npos) {
        return false;
    }
    const std::size_t end = text.find_first_not_of("0123456789", first);
    const std::size_t digits = (end == std::string_view::npos ? text.size() : end) - first;
    return digits >= 6;
}

Point pointOf(EntryBox box) {
    switch (box) {
        case EntryBox::Point1Latitude:
        case EntryBox::Point1Longitude:
            return Point::One;
        case EntryBox::Point2Latitude:
        case EntryBox::Point2Longitude:
            return Point::Two;
        default:
            return Point::Reference;
    }
}

}  // namespace

std::string_view boxName(EntryBox box) {
    switch (box) {
        case EntryBox::Point1Latitude:
            return "点Ⅰ纬度";
        case EntryBox::Point1Longitude:
            return "点Ⅰ经度";
        case EntryBox::Point2Latitude:
            return "点Ⅱ纬度";
        case EntryBox::Point2Longitude:
            return "点Ⅱ经度";
        case EntryBox::ReferenceLatitude:
            return "参考点纬度";
        case EntryBox::ReferenceLongitude:
            return "参考点经度";
    }
    return "";
}

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
    std::string message = std::string{boxName(box)} + "的输入" + quoted(text);
    if (kind == MessageKind::TypeMismatch) {
        message +=
            "类型不匹配：按“秒”格式（度、两位分、两位秒，如 421125）读取时，分和秒须是数字。";
    } else if (mode == EntryMode::Minutes) {
        message += "数值溢出：按“分”格式（度、分，如 4250.0）读取时，度数须在 -327 到 327 之间。";
        if (looksLikeSecondsNotation(text)) {
            message += "这个输入像是度分秒写法（如 421125），若是，请为" +
                       std::string{pointName(pointOf(box))} + "选择“秒”。";
        }
    } else {
        message += "数值溢出：按“秒”格式读取时，度数须在 -32768 到 32767 之间。";
    }
    return failure(kind, std::move(message), box);
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

Message angleNotDeterminableMessage(double cosine, double point1ToReferenceKm,
                                    double referenceToPoint2Km) {
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
