// The range of the horizon and of lights as a navigator types its heights and ranges, and what
// the range command tells of them: the values read (metres or nautical miles, with or without
// their unit), and the bytes a front end prints.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "passage/table_format.h"

namespace orvanto::passage {

// The four values of a light's range, each with its own limits and wording.
enum class RangeValue { Eye, Object, Charted, Luminous };

// What `value` takes, in words that follow its name ("0 到 100 米的眼高…").
std::string_view rangeValueForms(RangeValue value);

// A height in metres (m, 米, or none) or a range in nautical miles (nmi, 海里, or none), within
// the value's limits (eye 0 to 100 m, object 0 to 1000 m, ranges 0 to 100 nmi).
std::optional<double> readRangeValue(RangeValue value, std::string_view text);

struct LightRangeRequest {
    double eye = 0;                  // metres
    std::optional<double> object;    // metres
    std::optional<double> charted;   // nmi, the chart's 射程
    std::optional<double> luminous;  // nmi
};

// tsv: horizon_nmi and range_nmi (empty without an object or a charted range). The text form
// states the 2.09 constant, the heights, and which range was taken. Each line ends in "\n".
std::string lightRangeReport(const LightRangeRequest& request, TableFormat format);

}  // namespace orvanto::passage
