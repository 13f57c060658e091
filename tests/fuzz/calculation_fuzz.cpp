// Both commands from six raw entry texts (separated by newlines) and three modes (the first byte):
// each gives its result texts or a message with a text, and a message about one entry names a box
// the command reads.
#include <cstdlib>
#include <variant>

#include "calculator/calculation.h"
#include "fuzz_input.h"

namespace {

template <typename Outcome>
void check(const Outcome& outcome, orvanto::EntryBox lastBox) {
    if (const auto* message = std::get_if<orvanto::Message>(&outcome)) {
        if (message->text.empty() || (message->box && *message->box > lastBox)) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const orvanto::fuzz::FuzzInput fuzz(data, size);
    const auto texts = fuzz.pieces('\n', 6);
    const orvanto::CalculatorInput input{
        {std::string{texts[0]}, std::string{texts[1]}, fuzz.mode(0)},
        {std::string{texts[2]}, std::string{texts[3]}, fuzz.mode(1)},
        {std::string{texts[4]}, std::string{texts[5]}, fuzz.mode(2)}};
    check(orvanto::calculateDistance(input), orvanto::EntryBox::Point2Longitude);
    check(orvanto::calculateAngle(input), orvanto::EntryBox::ReferenceLongitude);
    return 0;
}
