// The very providers orvanto-cli uses.
#include "python/navigation_columns.h"

#include "passage/column_providers.h"
#include "passage/passage_values.h"

namespace orvanto::python {
std::vector<std::unique_ptr<const batch::ColumnProvider>> navigationColumns(
    NumberStyle style, bool geodesic, bool navigation, std::optional<double> variation,
    std::optional<double> deviation) {
    std::vector<std::unique_ptr<const batch::ColumnProvider>> providers;
    if (geodesic) {
        providers.push_back(std::make_unique<passage::GeodesicColumns>(style));
    }
    if (navigation) {
        navigation::CompassCorrection correction;
        correction.variation = variation;
        correction.deviation = deviation;
        providers.push_back(std::make_unique<passage::CourseColumns>(std::move(correction)));
    }
    return providers;
}

std::vector<std::string_view> everyNavigationColumn() {
    return passage::everyExtraColumn();
}

std::optional<double> readVariationText(std::string_view text) {
    return passage::readVariation(text);
}

std::optional<double> readDeviationText(std::string_view text) {
    return passage::readDeviation(text);
}

}  // namespace orvanto::python
