#include "passage/light_range_report.h"

#include <algorithm>
#include <cctype>

#include "calculator/decimal_text.h"
#include "navigation/light_ranges.h"
#include "notation/typed_number.h"

namespace orvanto::passage {
namespace {

std::string miles(double nauticalMiles) {
    return formatDecimals(nauticalMiles, 2, NumberStyle::Plain);
}

std::string metres(double height) {
    return formatDecimals(height, 2, NumberStyle::Plain);
}

}  // namespace

std::string_view rangeValueForms(RangeValue value) {
    switch (value) {
        case RangeValue::Eye:
            return "0 到 100 米的眼高，可带单位 m 或 米，如 16 或 16m";
        case RangeValue::Object:
            return "0 到 1000 米的物标高度，可带单位 m 或 米，如 50m";
        case RangeValue::Charted:
        case RangeValue::Luminous:
            break;
    }
    return "0 到 100 海里，可带单位 nmi 或 海里，如 18 或 18海里";
}

std::optional<double> readRangeValue(RangeValue value, std::string_view text) {
    const bool inMetres = value == RangeValue::Eye || value == RangeValue::Object;
    const double highest = value == RangeValue::Object ? 1000 : 100;
    auto number = readTypedNumber(text);
    if (!number || !number->before.empty() || number->degreeMark || number->value < 0 ||
        number->value > highest) {
        return std::nullopt;
    }
    std::string unit = number->after;
    for (char& c : unit) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const bool fits =
        unit.empty() || (inMetres ? unit == "m" || unit == "米" : unit == "nmi" || unit == "海里");
    return fits ? std::optional{number->value} : std::nullopt;
}

std::string lightRangeReport(const LightRangeRequest& request, TableFormat format) {
    const double eye = request.eye;
    const double horizon = navigation::horizonRange(eye);
    std::optional<double> range;
    std::string text = "眼高 " + metres(eye) + " 米，视距 2.09 × √" + metres(eye) + " = " +
                       miles(horizon) + " 海里\n";
    if (request.object) {
        const double geographic = navigation::geographicRange(*request.object, eye);
        range = request.luminous ? std::min(geographic, *request.luminous) : geographic;
        text += "物标高 " + metres(*request.object) + " 米，地理能见距离 2.09 × (√" +
                metres(*request.object) + " + √" + metres(eye) + ") = " + miles(geographic) +
                " 海里\n";
        if (request.luminous && *request.luminous < geographic) {
            text += "光力射程 " + miles(*request.luminous) + " 海里较小，能见距离 " +
                    miles(*range) + " 海里\n";
        }
    } else if (request.charted) {
        const navigation::ChartedRange charted =
            navigation::chartedRange(*request.charted, eye, request.luminous);
        range = charted.range;
        text += "海图射程 " + miles(*request.charted) + " 海里按眼高 5 米的地理能见距离计：眼高 " +
                metres(eye) + " 米时 " + miles(*request.charted) + " + 2.09 × (√" + metres(eye) +
                " − √5) = " + miles(charted.geographic) + " 海里\n";
        if (charted.capped) {
            text += "光力射程 " + miles(*request.luminous) + " 海里较小，灯光最大可见距离 " +
                    miles(charted.range) + " 海里\n";
        }
    }
    if (format == TableFormat::Tsv) {
        return miles(horizon) + "\t" + (range ? miles(*range) : "") + "\n";
    }
    return text;
}

}  // namespace orvanto::passage
