#include "window/widgets/flat_frame.h"

#include <QPainter>

namespace orvanto {
namespace {

// The caption starts a little in from the left edge and keeps a small gap to the line.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 1;

}  // namespace

FlatFrame::FlatFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void FlatFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    // The top line runs through the middle of the caption, as on a classic frame.
    const int lineTop = metrics.height() / 2;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(0, lineTop, width() - 1, height() - lineTop - 1);

    const QRect caption(kCaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace orvanto
