// The fonts, colours and style of the window: the light-blue tint, the Song typeface of the entry
// and result boxes, and the classic style that paints tinted button faces.
#pragma once

#include <QColor>
#include <QFont>

class QLabel;
class QWidget;

namespace orvanto {

// The tint the window and most controls are given at load.
inline constexpr QRgb kWindowTint = qRgb(226, 236, 253);
// The link label's colour while the pointer is over it.
inline constexpr QRgb kLinkHoverColour = qRgb(255, 0, 0);

// "宋体" regular at the given size. Linux has no font of that name, and a bare fallback lets
// fontconfig pick a Japanese face whose glyph forms differ from the Simplified Chinese ones, so a
// Song-style Simplified Chinese face is named after it.
QFont songFont(double pointSize);

// The window's own font, used by frames, labels, option and command buttons: the desktop's sans
// serif for Simplified Chinese, at a size whose captions fit the 17-pixel labels.
QFont windowFont();

// The menu-text colour of the user's scheme (Qt has no palette role of that name; the menus'
// palette gives it).
QColor menuTextColour();
// The scroll-bar colour of the user's scheme, taken likewise from the scroll bars' palette.
QColor scrollBarColour();

// Sets the colour a label writes its text in.
void setTextColour(QLabel* label, const QColor& colour);

// Makes Qt's classic Windows style the application's style: it paints a button's face in its
// palette colour, where Fusion shades it into a gradient, and adds no icons to message-box buttons.
void useClassicStyle();

}  // namespace orvanto
