// The smallest front end of the two commands: entry texts, option selections and result texts
// held in memory, so that a benchmark times the commands themselves and nothing of a window.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "window_services.h"

namespace orvanto::bench {

class InMemoryWindow final : public WindowServices {
  public:
    std::string text(TextBox box) const override {
        const auto found = texts_.find(box);
        return found == texts_.end() ? std::string() : found->second;
    }
    void setText(TextBox box, std::string_view text) override { texts_[box] = std::string(text); }
    bool isSelected(OptionButton option) const override { return selected_.contains(option); }
    void showMessage(std::string_view, std::string_view) override { ++messagesShown_; }
    void reportError(const FailureReport&) override { ++errorsReported_; }

    void select(OptionButton option) { selected_.insert(option); }
    int messagesShown() const { return messagesShown_; }
    int errorsReported() const { return errorsReported_; }

  private:
    std::map<TextBox, std::string> texts_;
    std::set<OptionButton> selected_;
    int messagesShown_ = 0;
    int errorsReported_ = 0;
};

}  // namespace orvanto::bench
