// Steps the distance and angle commands share: the completeness check, reading a point through the
// window services, and turning a failure into a report.
#pragma once

#include <functional>
#include <initializer_list>

#include "failure_messages.h"
#include "window_services.h"

namespace orvanto {

enum class CommandOutcome {
    Completed,  // every result box was written
    Stopped,    // the user was told why; no result box changed
};

struct ChartPoint {
    double latitude;
    double longitude;
};

// The two entry boxes of a point and the option button that selects its mode.
struct PointEntries {
    TextBox latitude;
    TextBox longitude;
    OptionButton minutesOption;
};

inline constexpr PointEntries kPoint1{TextBox::Text1, TextBox::Text2, OptionButton::Option1};
inline constexpr PointEntries kPoint2{TextBox::Text3, TextBox::Text4, OptionButton::Option3};
inline constexpr PointEntries kReferencePoint{TextBox::Text5, TextBox::Text6,
                                              OptionButton::Option5};

// Thrown by a step to end the running command with a report; the command itself catches it.
struct CommandStop {
    FailureReport report;
};

// Shows the incomplete-entry message unless every box has text. Only the empty text counts as
// missing: a text of spaces is an entry.
bool requireEntries(WindowServices& window, std::initializer_list<TextBox> boxes);

// Decodes a point's two entries, latitude first, in the mode its option button selects. Throws
// CommandStop naming the box and the text when an entry cannot be decoded.
ChartPoint readPoint(const WindowServices& window, const PointEntries& point);

// Runs the computing part of a command; a CommandStop or an arithmetic fault is reported to the
// user and stops the command, which has then written nothing.
CommandOutcome runReportingFailures(WindowServices& window, const std::function<void()>& steps);

}  // namespace orvanto
