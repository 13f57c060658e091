#include "in_memory_window.h"

#include "failure_messages.h"

namespace orvanto {
namespace {

std::size_t indexOf(TextBox box) {
    return static_cast<std::size_t>(box);
}
std::size_t indexOf(OptionButton option) {
    return static_cast<std::size_t>(option);
}

}  // namespace

void InMemoryWindow::select(OptionButton option, bool selected) {
    selected_[indexOf(option)] = selected;
}

std::string InMemoryWindow::text(TextBox box) const {
    return texts_[indexOf(box)];
}

void InMemoryWindow::setText(TextBox box, std::string_view text) {
    texts_[indexOf(box)] = std::string{text};
}

bool InMemoryWindow::isSelected(OptionButton option) const {
    return selected_[indexOf(option)];
}

void InMemoryWindow::showMessage(std::string_view text, std::string_view title) {
    messages_.push_back({std::string{text}, std::string{title}, std::nullopt});
}

void InMemoryWindow::reportError(const FailureReport& report) {
    messages_.push_back({report.message, std::string{kFailureTitle}, report.kind});
}

}  // namespace orvanto
