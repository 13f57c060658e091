#include "window/widgets/note_label.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace orvanto {
namespace {

// Baselines are one em plus this fraction apart; the first sits this far below the top, in ems:
// enough for the ideographs, which fill about 0.88 em above the baseline.
constexpr double kLineStepEm = 1.04;
constexpr double kFirstBaselineEm = 0.9;

}  // namespace

NoteLabel::NoteLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setWordWrap(true);
}

void NoteLabel::paintEvent(QPaintEvent* /*event*/) {
    const double em = QFontInfo(font()).pixelSize();
    const QFontMetricsF metrics(font());

    QTextLayout layout(text(), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (double top = 0;; top += kLineStepEm * em) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width());
        line.setPosition({0, top});
    }
    layout.endLayout();

    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    // Lines are placed by their tops; lift them so the first baseline lands where it should.
    layout.draw(&painter, {0, kFirstBaselineEm * em - metrics.ascent()});
}

}  // namespace orvanto
