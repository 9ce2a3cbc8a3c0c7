#pragma once
// Dialog units of the 9-point dialog font to pixels, one fixed factor pair
// for every template of the module (x 7/4, y 15/8).
#include <QRect>

inline QRect Dlu(int x, int y, int w, int h)
{
    return QRect(x * 7 / 4, y * 15 / 8, w * 7 / 4, h * 15 / 8);
}
