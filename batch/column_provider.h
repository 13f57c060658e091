// Columns a front end adds to a batch run beyond distance and angle (the command line's geodesic
// and course columns), measured from the points the row's entries were decoded to, so that the
// batch library needs none of the libraries they are measured with.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/decoded_points.h"

namespace orvanto::batch {

class ColumnProvider {
  public:
    virtual ~ColumnProvider() = default;

    // The columns' names, written after the error column in this order.
    virtual std::vector<std::string_view> names() const = 0;

    // Fills the row's fields (one a name, each empty on entry) from point 1 and point 2 as the row
    // decoded them; `withReference` when the reference point is decoded too and the row's angle
    // was computed without error. Not called for a row whose point 1 or point 2 does not read:
    // its fields stay empty.
    virtual void fill(const DecodedPoints& points, bool withReference,
                      std::span<std::string> fields) const = 0;

    // The same columns as numbers, unrounded, for a front end that hands numbers on (each NaN on
    // entry, and left so where the field would be empty). A provider without numbers leaves them.
    virtual void fillNumbers(const DecodedPoints& /*points*/, bool /*withReference*/,
                             std::span<double> /*values*/) const {}
};

}  // namespace orvanto::batch
