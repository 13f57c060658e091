// The command line's extra batch columns: the WGS-84 geodesic beside the chord estimate
// (--geodesic) and the courses of --navigation, measured from the points each row decoded.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "batch/column_provider.h"
#include "calculator/decimal_text.h"
#include "navigation/compass_error.h"
#include "navigation/sailing_method.h"

namespace orvanto::passage {

// geodesic_km and geodesic_angle, in the row's number style. The geodesic has no range limit, so a
// leg too long for the chord estimate still gets its distance; the angle stands beside a computed
// angle only.
class GeodesicColumns final : public batch::ColumnProvider {
  public:
    explicit GeodesicColumns(NumberStyle style) : style_(style) {}
    std::vector<std::string_view> names() const override;
    void fill(const DecodedPoints& points, bool withReference,
              std::span<std::string> fields) const override;
    void fillNumbers(const DecodedPoints& points, bool withReference,
                     std::span<double> values) const override;

  private:
    NumberStyle style_;
};

// The fields of course_text.h, their magnetic ones with a variation, their compass ones with a
// deviation or a card too; on WGS-84 or by the textbook's methods, as course measures them.
class CourseColumns final : public batch::ColumnProvider {
  public:
    explicit CourseColumns(navigation::CompassCorrection correction,
                           navigation::SailingMethod method = navigation::SailingMethod::Wgs84)
        : correction_(std::move(correction)), method_(method) {}
    std::vector<std::string_view> names() const override;
    void fill(const DecodedPoints& points, bool withReference,
              std::span<std::string> fields) const override;
    void fillNumbers(const DecodedPoints& points, bool withReference,
                     std::span<double> values) const override;

  private:
    navigation::CompassCorrection correction_;
    navigation::SailingMethod method_;
};

// The columns of every provider, for a run to refuse those it does not add as input columns.
std::vector<std::string_view> everyExtraColumn();

}  // namespace orvanto::passage
