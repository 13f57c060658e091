// What the module takes from the passage library for a batch run: the geodesic and course
// columns, and the variation and deviation as typed.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "batch/column_provider.h"
#include "calculator/decimal_text.h"

namespace orvanto::python {

// The providers of batch's --geodesic and --navigation columns, in that order, those asked for.
std::vector<std::unique_ptr<const batch::ColumnProvider>> navigationColumns(
    NumberStyle style, bool geodesic, bool navigation, std::optional<double> variation,
    std::optional<double> deviation);

// The columns every provider adds, which a run refuses as input columns unless they end the
// header.
std::vector<std::string_view> everyNavigationColumn();

// A variation as the command line takes it ("3.5W", "西3.5", "-3.5"): degrees, east positive;
// nothing for a text that is none.
std::optional<double> readVariationText(std::string_view text);

// A deviation (自差) as the command line takes it, read the same way.
std::optional<double> readDeviationText(std::string_view text);

}  // namespace orvanto::python
