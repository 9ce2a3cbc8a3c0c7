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
    return CPlotPainter::PlotArea(size());
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
    return CPlotPainter::PeakText(m_peak);
}
