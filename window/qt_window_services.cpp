#include "qt_window_services.h"

#include <cstddef>
#include <utility>

#include "failure_messages.h"

namespace orvanto {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtWindowServices::QtWindowServices(QWidget* owner, TextBoxes boxes, MinutesOptions options,
                                   WindowPlatform platform)
    : owner_{owner}, boxes_{boxes}, options_{options}, platform_{std::move(platform)} {}

std::string QtWindowServices::text(TextBox box) const {
    return boxes_[static_cast<std::size_t>(box)]->text().toStdString();
}

void QtWindowServices::setText(TextBox box, std::string_view text) {
    QLineEdit* edit = boxes_[static_cast<std::size_t>(box)];
    edit->setText(toQString(text));
    // setText leaves the caret at the end, which scrolls a long result to its tail; a result is
    // read from its first digit.
    edit->setCursorPosition(0);
}

bool QtWindowServices::isSelected(OptionButton option) const {
    return options_[static_cast<std::size_t>(option)]->isChecked();
}

void QtWindowServices::showMessage(std::string_view text, std::string_view title) {
    platform_.showMessage(owner_, toQString(title), toQString(text));
}

void QtWindowServices::reportError(const FailureReport& report) {
    showMessage(report.message, kFailureTitle);
}

}  // namespace orvanto
