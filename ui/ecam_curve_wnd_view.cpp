// CECamCurveWnd, second part: the view (zoom, pan, back to the automatic
// ranges, the master axis shared with the sibling plots) and the peak
// read-out. The mappings, painting and mouse editing are in ecam_curve_wnd.cpp.
#include "ui/ecam_curve_wnd.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdint>

void CECamCurveWnd::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press keeps the rules of a press; on empty plot area it
    // also brings the automatic ranges back.
    const QPoint point = event->position().toPoint();
    const bool empty = event->button() == Qt::LeftButton && PlotArea().contains(point) && !HasKeyPointNear(point);
    mousePressEvent(event);
    if (empty) {
        setFocus(Qt::MouseFocusReason);
        ResetView();
    }
}

void CECamCurveWnd::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    // Forward (away from the user) zooms in, one step per notch.
    const double factor = std::pow(kWheelZoomStep, -delta / 120.0);
    const PlotPoint at = PixelToData(ClampToPlot(event->position().toPoint()));
    if (event->modifiers() & Qt::ControlModifier)
        ZoomValue(at.y, factor);
    else
        ZoomMaster(at.x, factor);
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void CECamCurveWnd::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier) {
        ResetView();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

QRect CECamCurveWnd::PlotArea() const
{
    // Right and bottom edges included: they carry the last grid line.
    return QRect(QPoint(kLeft, kMargin), QPoint(width() - kMargin, height() - kMargin));
}

QPoint CECamCurveWnd::ClampToPlot(QPoint q) const
{
    const QRect a = PlotArea();
    return {std::clamp(q.x(), a.left(), a.right()), std::clamp(q.y(), a.top(), a.bottom())};
}

std::vector<CECamCurveWnd*> CECamCurveWnd::LinkedPlots() const
{
    std::vector<CECamCurveWnd*> plots;
    if (QWidget* parent = parentWidget())
        for (CECamCurveWnd* w : parent->findChildren<CECamCurveWnd*>(Qt::FindDirectChildrenOnly))
            plots.push_back(w);
    if (plots.empty())
        plots.push_back(const_cast<CECamCurveWnd*>(this));
    std::stable_sort(plots.begin(), plots.end(),
                     [](const CECamCurveWnd* a, const CECamCurveWnd* b) { return a->y() < b->y(); });
    return plots;
}

plotview::Range CECamCurveWnd::HomeValueRange() const
{
    return m_yZoomed ? m_yHome : plotview::Range{m_yMin, m_yMax};
}

void CECamCurveWnd::SetMasterView(bool zoomed, plotview::Range r)
{
    m_xZoomed = zoomed;
    m_xView = r;
    m_xZoomExtent = XMax();
    MoveTipZones();
    update();
}

void CECamCurveWnd::ZoomMaster(double x, double factor)
{
    const plotview::Range home = AutoMasterRange();
    if (!(home.Span() > 0.0))
        return;
    plotview::Range r = plotview::ZoomAbout(MasterRange(), x, factor, home.Span() * kMinSpanRatio,
                                            home.Span() * kMaxSpanRatio);
    r = plotview::KeepOverlap(r, home);
    for (CECamCurveWnd* w : LinkedPlots())
        w->SetMasterView(true, r);
}

void CECamCurveWnd::ZoomValue(double y, double factor)
{
    const plotview::Range home = HomeValueRange();
    if (!(home.Span() > 0.0))
        return;
    plotview::Range r = plotview::ZoomAbout({m_yMin, m_yMax}, y, factor, home.Span() * kMinSpanRatio,
                                            home.Span() * kMaxSpanRatio);
    SetValueView(home, plotview::KeepOverlap(r, home));
}

void CECamCurveWnd::SetValueView(const plotview::Range& home, const plotview::Range& r)
{
    m_yHome = home;
    m_yZoomed = true;
    m_yMin = r.lo;
    m_yMax = r.hi;
    MoveTipZones();
    update();
}

void CECamCurveWnd::PanByPixels(QPoint delta)
{
    if (delta.isNull())
        return;
    // The picture follows the pointer: right moves the view to smaller
    // masters, down to larger values.
    const plotview::Axis x = XAxis();
    if (delta.x() != 0 && AutoMasterRange().Span() > 0.0 && x.length > 0.0) {
        const plotview::Range r = plotview::KeepOverlap(
            plotview::Pan(x.range, -delta.x() * (x.range.Span() / x.length)), AutoMasterRange());
        for (CECamCurveWnd* w : LinkedPlots())
            w->SetMasterView(true, r);
    }
    const plotview::Axis y = YAxis();
    if (delta.y() != 0 && y.range.Span() > 0.0 && y.length > 0.0) {
        const plotview::Range home = HomeValueRange();
        SetValueView(home,
                     plotview::KeepOverlap(plotview::Pan(y.range, delta.y() * (y.range.Span() / y.length)), home));
    }
}

void CECamCurveWnd::ResetView()
{
    for (CECamCurveWnd* w : LinkedPlots())
        if (w->m_xZoomed)
            w->SetMasterView(false, w->AutoMasterRange());
    if (m_yZoomed) {
        m_yMin = m_yHome.lo;
        m_yMax = m_yHome.hi;
        m_yZoomed = false;
        MoveTipZones();
        update();
    }
}

QString CECamCurveWnd::PeakText() const
{
    if (!m_peak.valid)
        return QString();
    // A printf format: the translation keeps its four %g.
    const QByteArray format = tr("最大 %g @ %g  最小 %g @ %g").toUtf8();
    return QString::asprintf(format.constData(), m_peak.max, m_peak.maxAt, m_peak.min, m_peak.minAt);
}

void CECamCurveWnd::DrawPeak(QPainter& p, const QRect& plotArea) const
{
    m_lastPeakRect = QRect();
    const QString text = PeakText();
    const int inset = 2;
    const int room = plotArea.width() - 2 * inset - 6;
    if (text.isEmpty() || room <= 0)
        return;
    p.save();
    const QFont font(QStringLiteral("Arial"), 8);
    const QFontMetrics fm(font, p.device());
    const QString shown = fm.horizontalAdvance(text) <= room ? text : fm.elidedText(text, Qt::ElideRight, room);
    const QSize size(fm.horizontalAdvance(shown) + 6, fm.height() + 2);
    if (size.height() <= plotArea.height() - 2 * inset) {
        // The corner that hides the fewest curve points, top right first.
        const QRect inner = plotArea.adjusted(inset, inset, -inset, -inset);
        const QRect corners[] = {
            QRect(QPoint(inner.right() - size.width() + 1, inner.top()), size),
            QRect(inner.topLeft(), size),
            QRect(QPoint(inner.right() - size.width() + 1, inner.bottom() - size.height() + 1), size),
            QRect(QPoint(inner.left(), inner.bottom() - size.height() + 1), size),
        };
        size_t hidden[4] = {0, 0, 0, 0};
        const plotview::Axis xa = XAxis(), ya = YAxis();
        for (const PlotPoint& pt : m_curvePoints) {
            const QPoint q(xa.ToPixel(pt.x), ya.ToPixel(pt.y));
            for (int c = 0; c < 4; ++c)
                hidden[c] += corners[c].contains(q) ? 1 : 0;
        }
        const int best = static_cast<int>(std::min_element(hidden, hidden + 4) - hidden);
        const QRect box = corners[best];
        p.fillRect(box, QColor(255, 255, 255, 220));
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter, shown);
        m_lastPeakRect = box;
    }
    p.restore();
}
