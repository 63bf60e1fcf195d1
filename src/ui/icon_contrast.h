#pragma once

#include <QColor>
#include <QImage>

namespace tallimer {

// The contrast ratio of two colours as WCAG defines it, from 1 to 21.
double ContrastRatio(QColor a, QColor b);

// The contrast of an icon's strokes drawn over `background`: of the quarter of its visible
// pixels that stand farthest from it. At menu size most pixels of a thin stroke are smoothed
// edges, so a mean would understate what the eye sees, and the lightest pixels overstate it.
double InkContrast(const QImage& image, QColor background);

// `image`, or where its contrast against `background` is below `least`, the same drawing with
// its lightness turned over (dark ink becomes light, its hue kept), taken further towards
// white or black until it reaches `least`. Aimed at the 4.5:1 of text, the icon keeps 3:1
// however the style smooths it.
QImage ImageWithContrast(const QImage& image, QColor background, double least = 4.5);

}  // namespace tallimer
