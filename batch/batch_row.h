// One row of a batch file through the calculator: its entry fields become the window's entry boxes,
// read once; point 1 to point 2 is measured once for the distance, the angle (with a reference
// point) and the extra columns; the results or the messages come back as the texts of the output
// columns.
#pragma once

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_columns.h"
#include "batch/column_provider.h"
#include "calculator/calculation.h"
#include "calculator/decimal_text.h"
#include "calculator/decoded_points.h"
#include "notation/entry_mode_names.h"
#include "text/code_points.h"
#include "text/expected.h"

namespace orvanto::batch {

// What stands between two messages in one row's error column.
inline constexpr std::string_view kMessageSeparator = "；";

// The output columns of one row, written in this order after the row's own fields.
struct RowResults {
    std::string kilometres;
    std::string nauticalMiles;
    std::string angle;  // empty without a reference point
    // The window's message for the row, empty on success; a distance message and an angle message
    // are joined by "；" (once when they are the same).
    std::string error;
    std::vector<std::string> extra;  // the providers' columns, in order
    // With numbers asked for, in place of the texts above (which stay empty; the error does not):
    // the values they are formatted from, unrounded, in their order (kilometres, nautical miles,
    // angle, then the providers'); NaN where a text would be empty.
    std::vector<double> numbers;
};

// Whether every field is empty or blanks: such a record is no row, and a run passes it by with no
// results and no count.
inline bool isBlankRecord(std::span<const std::string_view> fields) noexcept {
    return std::all_of(fields.begin(), fields.end(), isBlankText);
}

class RowCalculator {
  public:
    // `modes` holds the --seconds default of each point, used where a row's mode field is empty.
    // Each point's mode where a row leaves its own empty, and where that mode comes from as the
    // front end says it (" --seconds 的设定").
    struct DefaultModes {
        CalculatorInput modes;
        std::string_view source;
    };

    RowCalculator(const BatchColumns& columns, const DefaultModes& defaults, NumberStyle style,
                  std::span<const ColumnProvider* const> providers, bool numbers = false);

    // Fills `results` for a row's fields (a short row's missing fields are empty entries). The
    // strings are reused from row to row, so a typical row allocates little.
    void calculate(std::span<const std::string_view> fields, RowResults& results);

  private:
    void readEntries(std::span<const std::string_view> fields);
    // The message of the first of `pointCount` points whose mode field does not read.
    Expected<void, std::string_view> readModes(std::size_t pointCount) const noexcept;
    void addError(RowResults& results, std::string_view message) const;
    void addExtra(RowResults& results, const DecodedPoints& points, bool withReference) const;
    void putDistance(const DistanceMeasurement& measured, RowResults& results) const;
    bool putAngle(const DecodedPoints& points, const DistanceMeasurement& point1ToPoint2,
                  RowResults& results) const;
    void addEntryError(RowResults& results, std::size_t pointCount) const;
    void addFaultError(RowResults& results) const;

    BatchColumns columns_;
    CalculatorInput defaults_;
    std::string_view defaultModeSource_;
    NumberStyle style_;
    std::vector<const ColumnProvider*> providers_;
    std::size_t extraCount_ = 0;
    bool numbers_ = false;
    EntryViews texts_;  // views into the current row's fields
    DecodedEntries entries_{texts_, 0};
    // A mode field that is none of m, s, 分, 秒: the message for each point's (empty when fine).
    std::string modeErrors_[3];
};

}  // namespace orvanto::batch
