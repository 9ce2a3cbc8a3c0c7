#include "ui/panel/unit_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

CUnitLabel::CUnitLabel(QWidget* parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

// Inside the frame, after the indent a framed QLabel gives its text.
QRect CUnitLabel::TextRect() const
{
    const int indent = frameWidth() > 0 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    return contentsRect().adjusted(indent, 0, 0, 0);
}

QString CUnitLabel::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, TextRect().width());
}

bool CUnitLabel::event(QEvent* e)
{
    if (e->type() != QEvent::ToolTip)
        return QLabel::event(e);
    // Only a shortened unit needs its tooltip.
    if (ShownText() != text())
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), text(), this);
    else
        QToolTip::hideText();
    return true;
}

void CUnitLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawFrame(&p);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    p.drawText(TextRect(), static_cast<int>(alignment()), ShownText());
}
