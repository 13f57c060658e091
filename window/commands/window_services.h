// What the two commands need of a front end: the few window services they use, and the names of
// the controls they reach through them. The Qt window and the command-line tool implement this
// interface; the commands themselves know nothing else of either.
#pragma once

#include <string>
#include <string_view>

namespace orvanto {

// The text boxes the commands read or write, by their control names.
enum class TextBox {
    Text1,  // point 1 latitude
    Text2,  // point 1 longitude
    Text3,  // point 2 latitude
    Text4,  // point 2 longitude
    Text5,  // reference point latitude
    Text6,  // reference point longitude
    Text7,  // distance in kilometres (result)
    Text8,  // distance in nautical miles (result)
    Text9,  // angle in degrees (result)
};

// The "分" option button of each point: selected means minutes mode, otherwise seconds mode. The
// "秒" buttons are never read.
enum class OptionButton {
    Option1,  // point 1
    Option3,  // point 2
    Option5,  // reference point
};

// Why a command stopped without writing its results.
enum class FailureKind {
    Overflow,              // an entry's degrees do not fit
    TypeMismatch,          // a seconds-mode entry has pieces that are not numbers
    ArithmeticFault,       // the distance or angle arithmetic faulted
    PointsTooFarApart,     // a distance scan found no angle
    AngleNotDeterminable,  // the angle scan found no angle
};

struct FailureReport {
    FailureKind kind;
    std::string message;  // the whole text shown to the user
};

class WindowServices {
  public:
    virtual ~WindowServices() = default;

    // The whole text, exactly as typed or last set; spaces kept.
    virtual std::string text(TextBox box) const = 0;
    // Replaces the whole text; a later text() returns it unchanged.
    virtual void setText(TextBox box, std::string_view text) = 0;
    virtual bool isSelected(OptionButton option) const = 0;
    // A modal message with one OK button and no icon; returns once the user has closed it.
    virtual void showMessage(std::string_view text, std::string_view title) = 0;
    // Tells the user why a command stopped; returns once the user has been told.
    virtual void reportError(const FailureReport& report) = 0;
};

}  // namespace orvanto
