// Both commands from three modes (the first byte's low bits) and six raw entry texts (the rest, cut
// at newlines): each gives its result texts, or a message whose box, if any, is one the command
// reads and which an entry message names first, and whose text quotes no raw control, invisible or
// stray byte.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "calculator/calculation.h"
#include "text/code_points.h"

namespace {

template <typename Outcome>
void check(const Outcome& outcome, orvanto::EntryBox lastBox) {
    if (const auto* message = std::get_if<orvanto::Message>(&outcome)) {
        if (message->text.empty() || (message->box && *message->box > lastBox)) {
            std::abort();
        }
        if (message->box && message->kind != orvanto::MessageKind::IncompleteEntry &&
            !message->text.starts_with(orvanto::entryBoxRow(*message->box).label)) {
            std::abort();
        }
        for (const char32_t c : orvanto::decodeUtf8(message->text)) {
            if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x202E || c == 0xFEFF ||
                orvanto::strayByte(c)) {
                std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::string_view texts{reinterpret_cast<const char*>(data) + 1, size - 1};
    // The next line of the texts, empty once they have run out.
    const auto nextLine = [&texts] {
        const std::size_t end = std::min(texts.find('\n'), texts.size());
        std::string line{texts.substr(0, end)};
        texts.remove_prefix(std::min(end + 1, texts.size()));
        return line;
    };
    orvanto::CalculatorInput input;
    int bit = 0;
    for (orvanto::PointEntries* point : {&input.point1, &input.point2, &input.reference}) {
        point->latitude = nextLine();
        point->longitude = nextLine();
        point->mode =
            (data[0] >> bit++) & 1U ? orvanto::EntryMode::Seconds : orvanto::EntryMode::Minutes;
    }
    check(orvanto::calculateDistance(input), orvanto::EntryBox::Point2Longitude);
    check(orvanto::calculateAngle(input), orvanto::EntryBox::ReferenceLongitude);
    return 0;
}
