#include "cli/compass_correction.h"

#include "batch/input_output_error.h"
#include "cli/text_file_input.h"
#include "passage/deviation_card.h"

namespace orvanto::cli {

Expected<navigation::CompassCorrection, std::string> compassCorrectionOf(const Request& request) {
    navigation::CompassCorrection correction{request.variation, request.deviation, {}};
    if (request.files.deviationCardPath.empty()) {
        return correction;
    }
    try {
        TextFileInput file{request.files.deviationCardPath, "无法打开自差表", Encoding::Auto};
        if (const auto encoding = file.chooseEncoding(); !encoding) {
            return unexpected(encoding.error());
        }
        auto card = passage::readDeviationCard(file.reader(), file.codec());
        if (!card) {
            return unexpected(card.error());
        }
        correction.card = std::move(card.value());
        return correction;
    } catch (const batch::InputOutputError& error) {
        return unexpected(std::string{error.what()});
    }
}

}  // namespace orvanto::cli
