#include "passage/leg_sailing.h"

#include "text/ascii_case.h"
#include "text/trimming.h"

namespace orvanto::passage {

std::optional<LegSailing> legSailingNamed(std::string_view text) {
    const std::string word = asciiUpperCase(trimmed(text, " \t"));
    // Full-width letters, as a Chinese input method types them, count as their ASCII twins.
    for (const std::string_view rhumb : {"RL", "恒向线", "ＲＬ", "ｒｌ", "Ｒｌ", "ｒＬ"}) {
        if (word == rhumb) {
            return LegSailing::RhumbLine;
        }
    }
    for (const std::string_view great : {"GC", "大圆", "ＧＣ", "ｇｃ", "Ｇｃ", "ｇＣ"}) {
        if (word == great) {
            return LegSailing::GreatCircle;
        }
    }
    return std::nullopt;
}

std::string_view legSailingCode(LegSailing sailing) {
    return sailing == LegSailing::GreatCircle ? "GC" : "RL";
}

}  // namespace orvanto::passage
