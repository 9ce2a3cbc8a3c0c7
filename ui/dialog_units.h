#pragma once
// Dialog units to pixels, one fixed factor pair per dialog font: the
// 9-point font of the panel and the function-code dialog (x 7/4, y 15/8) and
// the 8-point font of the row-range dialog (x 3/2, y 13/8).
#include <QRect>

inline QRect Dlu(int x, int y, int w, int h)
{
    return QRect(x * 7 / 4, y * 15 / 8, w * 7 / 4, h * 15 / 8);
}

inline QRect Dlu8(int x, int y, int w, int h)
{
    return QRect(x * 3 / 2, y * 13 / 8, w * 3 / 2, h * 13 / 8);
}
