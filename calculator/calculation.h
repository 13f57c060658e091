// The calculator's two commands as plain functions: what stands in the entry boxes goes in, and
// either the texts of the result boxes or the message to show comes out. Every front end (the
// window, the command line, a test) fills a CalculatorInput, calls a function and shows what comes
// back; none of them needs to look like a window to do so.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "calculator/decimal_text.h"
#include "calculator/entry_boxes.h"
#include "notation/entry_mode.h"

namespace orvanto {

// One point as the user typed it: two texts in the notation its 分/秒 choice names.
struct PointEntries {
    std::string latitude;
    std::string longitude;
    EntryMode mode = EntryMode::Minutes;
};

// The six entry boxes and the three mode choices. The distance reads points 1 and 2 only.
struct CalculatorInput {
    PointEntries point1{};
    PointEntries point2{};
    PointEntries reference{};
};

enum class MessageKind {
    IncompleteEntry,       // an entry box the command needs is empty
    Overflow,              // an entry's degrees do not fit
    TypeMismatch,          // a seconds-mode entry has pieces that are not numbers
    EntryForm,             // an entry's designator or degree-mark form cannot be read
    OutOfRange,            // a latitude beyond ±90 or a longitude beyond ±180
    PointsCoincide,        // the reference point lies on point 1 or point 2
    ArithmeticFault,       // the distance or angle arithmetic faulted
    PointsTooFarApart,     // a distance scan found no angle
    AngleNotDeterminable,  // the angle scan found no angle
};

// What the user is told instead of a result; no result box changes.
struct Message {
    MessageKind kind;
    std::string title;
    std::string text;
    // The box to fix: the entry that could not be read, or the first empty one. Empty when the
    // message is about the points rather than one entry.
    std::optional<EntryBox> box;
};

struct DistanceTexts {
    std::string kilometres;     // for the 公里 box
    std::string nauticalMiles;  // for the 海里 box
};

struct AngleText {
    std::string degrees;  // for the 角度 box
};

using DistanceOutcome = std::variant<DistanceTexts, Message>;
using AngleOutcome = std::variant<AngleText, Message>;

// Point 1 to point 2. The steps, in order: the incomplete-entry check of the four boxes, reading
// in box order (readEntry, with each box's axis), the distance, then the kilometre text (zero for
// identical points) and the nautical miles read back from it. Kilometres and nautical miles
// (1.852 km) to three decimals, in the window's number style unless asked otherwise. Never
// throws: every failure comes back as the message the window shows.
DistanceOutcome calculateDistance(const CalculatorInput& input,
                                  NumberStyle style = NumberStyle::Window);

// The angle at the reference point. The steps, in order: the incomplete-entry check of all six
// boxes, reading in box order, the distances point 1 to point 2, point 1 to the reference and the
// reference to point 2 (each must have matched), the reference point not on point 1, then not on
// point 2 (each distance to it positive), then the angle: degrees, 0 to 179.999, to three
// decimals. Never throws: every failure comes back as the message the window shows.
AngleOutcome calculateAngle(const CalculatorInput& input, NumberStyle style = NumberStyle::Window);

}  // namespace orvanto
