#pragma once

#include <QRect>
#include <QtMath>

namespace vantrel {

// Positions and sizes of the window's controls are designed in twips: 1/1440 inch, so 15 twips
// make a pixel at 96 dots per inch. They follow the screen's logical resolution.
inline int twipsToPixels(int twips, qreal dpi) {
    return qRound(twips * dpi / 1440.0);
}

inline QRect twipsRect(int left, int top, int width, int height, qreal dpi) {
    return QRect(twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
                 twipsToPixels(height, dpi));
}

}  // namespace vantrel
