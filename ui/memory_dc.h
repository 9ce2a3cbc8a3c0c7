#pragma once
// CMemoryDC: collects one paint off-screen and copies it to the target in a
// single drawPixmap when it goes out of scope, so a full redraw does not
// flicker. Callers draw in the target's (client) coordinates; the off-screen
// pixmap covers only the repainted rectangle and is offset so a rectangle
// away from the origin still lands in it. On a printer the object draws
// straight into the target. Lives on the stack for one paint; GUI thread.
#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <memory>

class CMemoryDC {
public:
    // target must be active; rect is the repainted area in target coordinates.
    CMemoryDC(QPainter* target, const QRect& rect, const QColor& background = QColor(255, 255, 255));
    ~CMemoryDC();
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    QPainter* operator->() { return m_painter; }
    QPainter& Painter() { return *m_painter; }
    bool IsOffScreen() const { return m_offScreen; }
    QRect TargetRect() const { return m_rect; }

private:
    QPainter* m_target;
    QRect m_rect;
    bool m_offScreen;
    QPixmap m_pixmap;
    std::unique_ptr<QPainter> m_own;
    QPainter* m_painter;
};
