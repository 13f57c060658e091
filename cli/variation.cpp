#include "cli/variation.h"

#include <cmath>

#include "notation/typed_number.h"

namespace orvanto::cli {
namespace {

constexpr double kLargestVariation = 180;

}  // namespace

std::optional<double> readVariation(std::string_view text) {
    const std::optional<double> degrees = readEastWestDegrees(text);
    if (!degrees || std::fabs(*degrees) > kLargestVariation) {
        return std::nullopt;
    }
    return degrees;
}

std::string variationProblem(std::string_view text) {
    return "--variation 须是磁差的度数，西为负、东为正，如 3.5W、W3.5、西3.5、-3.5、2E、2 或 "
           "5°30′W，不认识“" +
           std::string{text} + "”";
}

}  // namespace orvanto::cli
