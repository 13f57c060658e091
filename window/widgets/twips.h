// The window is laid out in twips, as its controls' places and sizes are given: 1440 to the inch,
// 15 to a pixel at 96 dots per inch. Qt scales the resulting pixels with the screen by itself.
#pragma once

#include <QRect>

namespace orvanto {

inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel with halves going down, so that 8820 × 6120 twips give the
// 588 × 408 pixel client area and neighbouring controls keep their one-pixel gaps.
constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace orvanto
