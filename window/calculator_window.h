// The calculator's one window (objectName `pdf`): the entry boxes and mode options of three points,
// the result boxes, the two command buttons, the help text and the home-page link. The window reads
// its boxes into the calculator's input, calls the calculation, and writes back the results or
// shows the message; it computes nothing itself.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include "calculator/calculation.h"
#include "window/accessibility/result_announcer.h"
#include "window/platform/window_platform.h"
#include "window/window_controls.h"

namespace orvanto {

inline constexpr char kWindowCaption[] = "Orvanto软件―经纬度距离角度计算器";
inline constexpr int kClientWidth = 588;
inline constexpr int kClientHeight = 408;

// Where a window of this size goes on the available area: centred, but never with its top-left
// corner off screen.
QPoint placeOnScreen(QSize window, QRect available);

class CalculatorWindow final : public QWidget {
    Q_OBJECT
  public:
    // Builds, colours and centres the window; the caller shows it.
    explicit CalculatorWindow(WindowPlatform platform, QWidget* parent = nullptr);

  protected:
    // Pointer moves over the bare window surface; moves over controls stay with the controls.
    void mouseMoveEvent(QMouseEvent* event) override;
    // Keys on the command buttons and the option buttons (see calculator_window.cpp).
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void load();
    // Tells each entry's accessible description what its point's mode expects.
    void describeEntries();
    void homePageLinkHovered();
    void homePageLinkClicked();
    void showDistance();
    void showAngle();

    // The six entry texts and the points' modes as the controls hold them now.
    CalculatorInput input() const;
    // Shows the message; once it is closed, the box it names has the focus, its text selected.
    void showMessage(const Message& message);
    QLineEdit* entryBox(EntryBox box) const;

    WindowControls controls_;
    WindowPlatform platform_;
    // Speaks the results for screen-reader users, whose focus stays on the button.
    ResultAnnouncer* announcer_;
};

}  // namespace orvanto
