// One row of a batch file through the calculator: its entry fields become the window's entry boxes,
// the distance command (and, with a reference point, the angle command) runs on them, and the
// results or the messages come back as the texts of the output columns.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calculation.h"
#include "cli/batch_columns.h"
#include "cli/number_format.h"

namespace orvanto::cli {

// The output columns of one row, written in this order after the row's own fields.
struct RowResults {
    std::string kilometres;
    std::string nauticalMiles;
    std::string angle;  // empty without a reference point
    // The window's message for the row, empty on success; a distance message and an angle message
    // are joined by "；" (once when they are the same).
    std::string error;
    std::string geodesicKilometres;  // only with geodesic columns
    std::string geodesicAngle;
    std::vector<std::string> navigation;  // only with navigation columns: course_text.h's fields
};

class RowCalculator {
  public:
    // `modes` holds the --seconds default of each point, used where a row's mode field is empty.
    // With `navigation`, the courses of course_text.h follow (their magnetic ones with a
    // variation).
    RowCalculator(const BatchColumns& columns, const CalculatorInput& modes, NumberFormat format,
                  bool geodesic, bool navigation = false,
                  std::optional<double> variation = std::nullopt);

    // Fills `results` for a row's fields (a short row's missing fields are empty entries). The
    // strings are reused from row to row, so a typical row allocates nothing.
    void calculate(std::span<const std::string_view> fields, RowResults& results);

  private:
    void readEntries(std::span<const std::string_view> fields);
    const std::string* modeError(std::size_t pointCount) const;
    void addError(RowResults& results, std::string_view message) const;
    void addGeodesic(RowResults& results) const;
    void addNavigation(RowResults& results) const;

    BatchColumns columns_;
    CalculatorInput defaults_;
    NumberFormat format_;
    bool geodesic_;
    bool navigation_;
    std::optional<double> variation_;
    CalculatorInput input_;
    // A mode field that is none of m, s, 分, 秒: the message for each point's (empty when fine).
    std::string modeErrors_[3];
};

}  // namespace orvanto::cli
