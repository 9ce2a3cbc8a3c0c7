#include "ui/memory_dc.h"

#include <QPaintDevice>

CMemoryDC::CMemoryDC(QPainter* target, const QRect& rect, const QColor& background)
    : m_target(target), m_rect(rect), m_painter(target)
{
    QPaintDevice* device = target ? target->device() : nullptr;
    m_offScreen = device && device->devType() != QInternal::Printer && !rect.isEmpty();
    if (m_offScreen) {
        const qreal dpr = device->devicePixelRatioF();
        m_pixmap = QPixmap(rect.size() * dpr);
        m_pixmap.setDevicePixelRatio(dpr);
        m_own = std::make_unique<QPainter>(&m_pixmap);
        // Callers draw in target coordinates: shift them onto the pixmap.
        m_own->translate(-rect.topLeft());
        m_painter = m_own.get();
    }
    if (m_painter)
        m_painter->fillRect(rect, background);
}

CMemoryDC::~CMemoryDC()
{
    if (!m_offScreen)
        return;  // drew straight into the target
    m_own->end();
    m_target->drawPixmap(m_rect.topLeft(), m_pixmap);
}
