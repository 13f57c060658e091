// The message box the window shows: a title, a plain text, no icon and one button reading 确定.
#pragma once

#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <memory>

namespace orvanto {

inline constexpr char kOkButtonText[] = "确定";

// Builds the box without showing it, so that it can be checked without blocking on exec().
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, const QString& title,
                                            const QString& text);

}  // namespace orvanto
