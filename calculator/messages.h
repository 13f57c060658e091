// The texts the calculator shows the user: the incomplete-entry message and the reports of why a
// calculation stopped. The user reads them in a message box, or on standard error from the command
// line.
#pragma once

#include <string>
#include <string_view>

#include "calculator/calculation.h"
#include "geometry/three_point_angle.h"
#include "notation/entry_errors.h"

namespace orvanto {

// The name of a point: "点Ⅰ", "点Ⅱ" or "参考点".
std::string_view pointName(Point point);

// "请输入完整的经纬信息！", pointing at the first empty box.
Message incompleteEntryMessage(EntryBox firstEmpty);

// Every entry message names the box and quotes the text as typed: shortened when long, control and
// invisible characters written out (\r, U+001B, U+200B).

// Why an entry could not be decoded (kind Overflow or TypeMismatch).
Message entryFailureMessage(EntryBox box, std::string_view text, EntryMode mode, MessageKind kind);

// Why an entry's written form cannot be read (kind EntryForm): what was wrong and what the box
// takes.
Message entryFormMessage(EntryBox box, std::string_view text, EntryFormProblem problem);

// A latitude beyond ±90 or a longitude beyond ±180 (kind OutOfRange), with the allowed range.
Message outOfRangeMessage(EntryBox box, std::string_view text);

// The reference point on top of `point` (kind PointsCoincide): there is no angle to show.
Message pointsCoincideMessage(Point point);

Message arithmeticFaultMessage();

// Two points for which the distance scan found no angle. `purpose` is what could not be computed:
// "距离" or "夹角".
Message pointsTooFarApartMessage(Point first, Point second, std::string_view purpose);

// Why no angle matched the cosine at the reference point.
Message angleNotDeterminableMessage(const AngleMeasurement& angle);

}  // namespace orvanto
