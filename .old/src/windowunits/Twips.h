#pragma once

#include <QRect>

namespace ojn {

// The windows are designed in twips: 15 make a pixel at 96 dpi, and Qt
// scales the pixels on high-dpi screens. A place between two pixels goes
// to the nearer one.
inline int twipsToPixels(int twips)
{
    return qRound(twips / 15.0);
}

inline QRect twips(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace ojn
