// A window held in memory: the texts of the boxes, the option selections and the messages shown, in
// order. The command-line tool runs the commands against it, and so do tests and benchmarks.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window_services.h"

namespace orvanto {

class InMemoryWindow final : public WindowServices {
  public:
    struct Message {
        std::string text;
        std::string title;
        std::optional<FailureKind> failure;  // set for error reports, empty for plain messages
    };

    // All boxes empty and every point in minutes mode, as the window starts.
    InMemoryWindow() = default;

    // Chooses a point's mode: selected "分" button for minutes mode, otherwise seconds mode.
    void select(OptionButton option, bool selected);
    const std::vector<Message>& messages() const { return messages_; }

    std::string text(TextBox box) const override;
    void setText(TextBox box, std::string_view text) override;
    bool isSelected(OptionButton option) const override;
    void showMessage(std::string_view text, std::string_view title) override;
    void reportError(const FailureReport& report) override;

  private:
    std::array<std::string, 9> texts_{};
    std::array<bool, 3> selected_{true, true, true};
    std::vector<Message> messages_;
};

}  // namespace orvanto
