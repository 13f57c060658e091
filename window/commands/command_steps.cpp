#include "command_steps.h"

#include "calculation_errors.h"
#include "entry_decoding.h"

namespace orvanto {
namespace {

double readEntry(const WindowServices& window, TextBox box, EntryMode mode) {
    const std::string text = window.text(box);
    try {
        return decodeEntry(text, mode);
    } catch (const OverflowError&) {
        throw CommandStop{
            {FailureKind::Overflow, entryFailureMessage(box, text, mode, FailureKind::Overflow)}};
    } catch (const TypeMismatchError&) {
        throw CommandStop{{FailureKind::TypeMismatch,
                           entryFailureMessage(box, text, mode, FailureKind::TypeMismatch)}};
    }
}

}  // namespace

bool requireEntries(WindowServices& window, std::initializer_list<TextBox> boxes) {
    for (const TextBox box : boxes) {
        if (window.text(box).empty()) {
            window.showMessage(kIncompleteEntryMessage, kIncompleteEntryTitle);
            return false;
        }
    }
    return true;
}

ChartPoint readPoint(const WindowServices& window, const PointEntries& point) {
    // The mode is read once and holds for both entries of the point.
    const EntryMode mode =
        window.isSelected(point.minutesOption) ? EntryMode::Minutes : EntryMode::Seconds;
    const double latitude = readEntry(window, point.latitude, mode);
    const double longitude = readEntry(window, point.longitude, mode);
    return {latitude, longitude};
}

CommandOutcome runReportingFailures(WindowServices& window, const std::function<void()>& steps) {
    try {
        steps();
        return CommandOutcome::Completed;
    } catch (const CommandStop& stop) {
        window.reportError(stop.report);
    } catch (const ArithmeticFault&) {
        window.reportError({FailureKind::ArithmeticFault, arithmeticFaultMessage()});
    }
    return CommandOutcome::Stopped;
}

}  // namespace orvanto
