#include "window/window_look.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QStringList>
#include <QStyleFactory>
#include <QWidget>

namespace orvanto {

QFont songFont(double pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
                      QStringLiteral("AR PL UMing CN")});
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

QFont windowFont() {
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), font.family()});
    font.setPointSizeF(9.0);
    return font;
}

QColor menuTextColour() {
    return QApplication::palette("QMenu").color(QPalette::WindowText);
}

QColor scrollBarColour() {
    return QApplication::palette("QScrollBar").color(QPalette::Mid);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void useClassicStyle() {
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(classic);
    }
}

}  // namespace orvanto
