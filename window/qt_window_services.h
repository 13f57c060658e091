// The commands' window services on top of the Qt controls: texts of the line edits, the "分"
// radio buttons, and message boxes through the window's platform.
#pragma once

#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "window_platform.h"
#include "window_services.h"

namespace orvanto {

class QtWindowServices final : public WindowServices {
  public:
    // Indexed by TextBox and OptionButton in their declared order.
    using TextBoxes = std::array<QLineEdit*, 9>;
    using MinutesOptions = std::array<QRadioButton*, 3>;

    QtWindowServices(QWidget* owner, TextBoxes boxes, MinutesOptions options,
                     WindowPlatform platform);

    std::string text(TextBox box) const override;
    void setText(TextBox box, std::string_view text) override;
    bool isSelected(OptionButton option) const override;
    void showMessage(std::string_view text, std::string_view title) override;
    void reportError(const FailureReport& report) override;

  private:
    QWidget* owner_;
    TextBoxes boxes_;
    MinutesOptions options_;
    WindowPlatform platform_;
};

}  // namespace orvanto
