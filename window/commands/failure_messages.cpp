#include "failure_messages.h"

#include <algorithm>
#include <cstddef>

#include "code_points.h"

namespace orvanto {
namespace {

// Long pasted texts are cut in the message so that the box stays readable.
constexpr std::size_t kQuotedCharacters = 32;

// Closer than this the distances (quantised to about 0.111 km) say nothing about direction.
constexpr double kTooCloseKm = 1.0;

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

}  // namespace

std::string_view boxName(TextBox box) {
    switch (box) {
        case TextBox::Text1:
            return "点Ⅰ纬度";
        case TextBox::Text2:
            return "点Ⅰ经度";
        case TextBox::Text3:
            return "点Ⅱ纬度";
        case TextBox::Text4:
            return "点Ⅱ经度";
        case TextBox::Text5:
            return "参考点纬度";
        case TextBox::Text6:
            return "参考点经度";
        case TextBox::Text7:
            return "公里";
        case TextBox::Text8:
            return "海里";
        case TextBox::Text9:
            return "角度";
    }
    return "";
}

std::string_view pointName(TextBox entryBox) {
    switch (entryBox) {
        case TextBox::Text1:
        case TextBox::Text2:
            return "点Ⅰ";
        case TextBox::Text3:
        case TextBox::Text4:
            return "点Ⅱ";
        default:
            return "参考点";
    }
}

std::string entryFailureMessage(TextBox box, std::string_view text, EntryMode mode,
                                FailureKind kind) {
    std::string message = std::string{boxName(box)} + "的输入" + quoted(text);
    if (kind == FailureKind::Overflow) {
        if (mode == EntryMode::Minutes) {
            message +=
                "数值溢出：按“分”格式（度、分，如 4250.0）读取时，度数须在 -327 到 327 之间。";
            if (looksLikeSecondsNotation(text)) {
                message += "这个输入像是度分秒写法（如 421125），若是，请为" +
                           std::string{pointName(box)} + "选择“秒”。";
            }
        } else {
            message += "数值溢出：按“秒”格式读取时，度数须在 -32768 到 32767 之间。";
        }
        return message;
    }
    return message +
           "类型不匹配：按“秒”格式（度、两位分、两位秒，如 421125）读取时，分和秒须是数字。";
}

std::string arithmeticFaultMessage() {
    return "计算中发生算术错误（除以零或数值溢出），无法得出结果。请检查输入。";
}

std::string pointsTooFarApartMessage(TextBox firstPointEntry, TextBox secondPointEntry,
                                     std::string_view purpose) {
    return std::string{pointName(firstPointEntry)} + "与" +
           std::string{pointName(secondPointEntry)} +
           "相距过远，超出本计算方法的适用范围（两点所对球心角须在约 114.6 度以内），无法计算" +
           std::string{purpose} + "。";
}

std::string angleNotDeterminableMessage(double cosine, double point1ToReferenceKm,
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
    return "无法确定夹角：" + why;
}

}  // namespace orvanto
