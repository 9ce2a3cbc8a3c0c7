#include "ui/ecam_curve_wnd.h"

#include "cam/ecam_point_set.h"
#include "ui/memory_dc.h"
#include "ui/spec_edit.h"
#include "ui/spec_tool_tip.h"
#include "ui/c_number.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace {

QString Fmt(const char* format, double v) { return QString::asprintf(format, v); }

} // namespace

CECamCurveWnd::CECamCurveWnd(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);  // hover read-out without a pressed button
    m_toolTip = new CSpecToolTip(this);
    m_toolTip->SetTipFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
}

CECamCurveWnd::~CECamCurveWnd() = default;

bool CECamCurveWnd::Create(QWidget* parent, int id)
{
    setParent(parent);
    setObjectName(QStringLiteral("idc%1").arg(id));
    setGeometry(QRect());
    show();
    return true;
}

double CECamCurveWnd::XMax() const { return m_curvePoints.empty() ? 0.0 : m_curvePoints.back().x; }

plotview::Range CECamCurveWnd::MasterRange() const { return m_xZoomed ? m_xView : AutoMasterRange(); }

plotview::Axis CECamCurveWnd::XAxis() const
{
    return CPlotPainter::XAxis({.size = size(), .xRange = MasterRange()});
}

plotview::Axis CECamCurveWnd::YAxis() const
{
    return CPlotPainter::YAxis({.size = size(), .yMin = m_yMin, .yMax = m_yMax});
}

QPoint CECamCurveWnd::DataToPixel(const PlotPoint& p) const
{
    return {XAxis().ToPixel(p.x), YAxis().ToPixel(p.y)};
}

PlotPoint CECamCurveWnd::PixelToData(QPoint q) const
{
    return {XAxis().FromPixel(q.x()), YAxis().FromPixel(q.y())};
}

void CECamCurveWnd::SetCurveData(const std::vector<PlotPoint>& keys, const std::vector<PlotPoint>& curve,
                                 CurveKind kind)
{
    m_keyPoints.clear();
    m_curvePoints.clear();
    if (kind == CURVE_POSITION || kind == CURVE_SPEED)
        m_keyPoints = keys;
    m_curvePoints = curve;
    m_curveKind = kind;
    DataChanged();
    update();
}

void CECamCurveWnd::DataChanged()
{
    // A cam of another length is a new picture: show it whole.
    if (m_xZoomed && XMax() != m_xZoomExtent)
        m_xZoomed = false;
    m_peak = FindPeak(m_curvePoints, [](const PlotPoint& p) { return p.x; }, [](const PlotPoint& p) { return p.y; });
    ++m_dataVersion;
    BuildTipZones();
}

void CECamCurveWnd::AutoScaleY()
{
    const plotview::Range r = FitValueRange(m_curvePoints);
    m_yMax = r.hi;
    m_yMin = r.lo;
    m_yZoomed = false;  // the fitted range is the new home
    update();
}

void CECamCurveWnd::BuildLists(const std::vector<ECamCurveSample>& samples, CurveKind kind,
                               std::vector<PlotPoint>& keys, std::vector<PlotPoint>& curve)
{
    BuildPlotLists(samples, kind, keys, curve);
}

void CECamCurveWnd::RebuildFromPointSet()
{
    if (!m_pointSet)
        return;
    std::vector<ECamCurveSample> samples;
    m_pointSet->GetCurve(samples);
    BuildLists(samples, m_curveKind, m_keyPoints, m_curvePoints);
    DataChanged();
    update();
}

void CECamCurveWnd::AddKeyPointAt(QPoint point)
{
    if (!m_pointSet)
        return;
    const PlotPoint d = PixelToData(point);
    // A point on top of an existing one, or outside the two ends, would break
    // the strict master order or move the cam's ends; such a click adds nothing.
    const bool inside = m_pointSet->PointCount() > 0 && d.x > m_pointSet->Points().front().master;
    if (inside && m_pointSet->KeepsOrderOnInsert(d.x))
        m_pointSet->InsertPoint(ECamPoint{d.x, d.y, 0.0, kECamPoly});
    RebuildFromPointSet();
}

bool CECamCurveWnd::HitTestKeyPoint(QPoint point, int& index) const
{
    // Markers of close points overlap: the one whose centre is nearest wins,
    // and among equals the one drawn last (on top), as the user sees it.
    int best = -1;
    int bestDistance = 0;
    for (size_t i = 0; i < m_keyPoints.size(); ++i) {
        const QPoint c = DataToPixel(m_keyPoints[i]);
        const QRect box(c.x() - kMarkerHalf, c.y() - kMarkerHalf, 2 * kMarkerHalf, 2 * kMarkerHalf);
        const int distance = (c - point).manhattanLength();
        if (box.contains(point) && (best < 0 || distance <= bestDistance)) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    if (best >= 0)
        index = best;
    return best >= 0;
}

bool CECamCurveWnd::HasKeyPointNear(QPoint point) const
{
    int unused = 0;
    return HitTestKeyPoint(point, unused);
}

void CECamCurveWnd::BuildTipZones()
{
    m_tipZones.clear();
    m_tipZones.reserve(m_curvePoints.size());
    for (const PlotPoint& c : m_curvePoints) {
        const QPoint p = DataToPixel(c);
        m_tipZones.push_back({QRect(p.x() - kZoneHalf, p.y() - kZoneHalf, 2 * kZoneHalf, 2 * kZoneHalf), c.x, c.y});
    }
}

void CECamCurveWnd::MoveTipZones()
{
    // The view changed, the data did not: the same texts at new pixels.
    if (m_tipZones.size() != m_curvePoints.size()) {
        BuildTipZones();
        return;
    }
    for (size_t i = 0; i < m_curvePoints.size(); ++i) {
        const QPoint p = DataToPixel(m_curvePoints[i]);
        m_tipZones[i].rect = QRect(p.x() - kZoneHalf, p.y() - kZoneHalf, 2 * kZoneHalf, 2 * kZoneHalf);
    }
}

QString CECamCurveWnd::TipTextAt(QPoint point) const
{
    for (const TipZone& z : m_tipZones)
        if (z.rect.contains(point))
            return QString::asprintf("x:%f\r\ny:%f", z.x, z.y);
    return QString();
}

QPoint CECamCurveWnd::ApplyDragConstraints(QPoint q) const
{
    const int w = width();
    const int h = height();
    if (q.x() > w - kMargin)
        q.setX(w - kMargin);
    else if (q.x() < kLeft)
        q.setX(kLeft);
    if (q.y() < kMargin)
        q.setY(kMargin);
    else if (q.y() > h - kMargin)
        q.setY(h - kMargin);

    const int last = static_cast<int>(m_keyPoints.size()) - 1;
    if (m_selectedIndex < 0 || m_selectedIndex > last)
        return q;
    if (m_selectedIndex == 0) {
        if (m_curveKind == CURVE_POSITION)
            q = DataToPixel(m_keyPoints[0]);
        else if (m_curveKind == CURVE_SPEED)
            q.setX(m_xZoomed ? DataToPixel(m_dragOrigin).x() : kLeft);
    } else if (m_selectedIndex == last) {
        // Zoomed, the right edge of the plot is no longer the cam's end.
        q.setX(m_xZoomed ? DataToPixel(m_dragOrigin).x() : w - kMargin);
    } else if (m_curveKind == CURVE_POSITION) {
        const QPoint prev = DataToPixel(m_keyPoints[m_selectedIndex - 1]);
        const QPoint next = DataToPixel(m_keyPoints[m_selectedIndex + 1]);
        if (q.x() <= prev.x())
            q.setX(prev.x() + 1);
        else if (q.x() >= next.x())
            q.setX(next.x() - 1);
    } else if (m_curveKind == CURVE_SPEED) {
        q.setX(DataToPixel(m_dragOrigin).x());
    }
    return q;
}

void CECamCurveWnd::CommitDrag(QPoint q)
{
    const PlotPoint d = PixelToData(q);
    const int last = static_cast<int>(m_keyPoints.size()) - 1;
    if (m_selectedIndex == 0 && m_curveKind == CURVE_POSITION)
        return;  // the first point is pinned: nothing to commit, nothing to rebuild
    if (m_pointSet && m_selectedIndex >= 0 && m_selectedIndex <= last) {
        // The marker's index is the point's (one marker per point): a profile
        // may hold points closer than the master tolerance, which a look-up by
        // master would confuse. Should the two ever differ, the master decides.
        std::size_t index = static_cast<std::size_t>(m_selectedIndex);
        if (m_keyPoints.size() != m_pointSet->PointCount()) {
            const int found = m_pointSet->FindPoint(m_dragOrigin.x);
            index = found < 0 ? m_pointSet->PointCount() : static_cast<std::size_t>(found);
        }
        if (m_curveKind == CURVE_POSITION) {
            const double m = m_selectedIndex == last ? m_keyPoints[last].x : d.x;
            // Neighbours closer than two pixel columns leave no master strictly
            // between them: refuse the move rather than break the order.
            if (m_pointSet->KeepsOrderAt(index, m))
                m_pointSet->MovePointAt(index, m, d.y);
        } else if (m_curveKind == CURVE_SPEED) {
            m_pointSet->SetPointSpeedAt(index, d.y);
        }
    }
    RebuildFromPointSet();
}

void CECamCurveWnd::ShowLimitEditor(const QRect& zone)
{
    if (!m_limitEditor) {
        m_limitEditor = new CSpecEdit(this);
        m_limitEditor->setObjectName(QStringLiteral("idc1"));
        m_limitEditor->installEventFilter(this);
        m_limitEditor->hide();
    }
    m_limitEditor->setGeometry(zone);
    m_limitEditor->show();
    // A press anywhere else in the application ends the edit (see eventFilter).
    qApp->installEventFilter(this);
    m_limitEditor->setText(Fmt("%f", m_editingLimit == 0 ? m_yMax : m_yMin));
    m_limitEditor->selectAll();
    m_limitEditor->setFocus();
}

bool CECamCurveWnd::IsNumericText(const QString& text)
{
    for (QChar c : text)
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char('-')))
            return false;
    return true;
}

LRESULT CECamCurveWnd::OnEditEnd()
{
    // A second notice (Enter, then focus loss) finds the editor closed.
    if (!m_limitEditor || m_limitEditor->isHidden())
        return 0;
    const QString text = m_limitEditor->text();
    LRESULT result = 0;
    if (!IsNumericText(text)) {
        result = -1;
    } else {
        const double v = CToF(text);
        if (m_editingLimit == 0 && v > m_yMin)
            m_yMax = v;
        else if (m_editingLimit == 1 && v < m_yMax)
            m_yMin = v;
    }
    CloseLimitEditor();
    if (result == 0)
        update();
    return result;
}

void CECamCurveWnd::CloseLimitEditor()
{
    qApp->removeEventFilter(this);
    m_limitEditor->hide();
    m_limitEditor->setGeometry(QRect());
}

bool CECamCurveWnd::event(QEvent* e)
{
    if (CModuleMessageEvent* msg = CModuleMessageEvent::From(e)) {
        if (msg->Message() == WM_EDIT_END) {
            msg->SetResult(OnEditEnd());
            return true;
        }
        return QWidget::event(e);
    }
    // The balloon sees the input first, as the classic pre-translation did.
    switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (m_toolTip)
            m_toolTip->RelayEvent(e);
        break;
    case QEvent::Leave:
        // A release the window never saw (another grab took it) ends the drag
        // where the marker was last put.
        if (m_dragging && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
            EndDrag(m_lastDragPixel);
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

bool CECamCurveWnd::eventFilter(QObject* watched, QEvent* e)
{
    const auto t = e->type();
    if (watched == m_limitEditor) {
        if (t == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape &&
            m_limitEditor->isVisible()) {
            // Escape abandons the edit; the focus loss that follows finds
            // the editor closed.
            CloseLimitEditor();
            return true;
        }
        if (m_toolTip && (t == QEvent::MouseMove || t == QEvent::MouseButtonPress ||
                          t == QEvent::MouseButtonDblClick))
            m_toolTip->RelayEvent(e);
        return QWidget::eventFilter(watched, e);
    }
    // Application-wide while the editor is open: a press outside this window
    // (another plot, the table, the panel) leaves the editor as a click
    // elsewhere in this window does, applying the value before the press
    // is dispatched. Presses on this window follow its own rules.
    if ((t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick) && m_limitEditor &&
        m_limitEditor->isVisible()) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w != this && !isAncestorOf(w))
            SendModuleMessage(this, WM_EDIT_END);
    }
    return QWidget::eventFilter(watched, e);
}

void CECamCurveWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        m_panning = true;
        m_panLast = event->position().toPoint();
        setFocus(Qt::MouseFocusReason);  // so that Home finds the plot
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (UpperLimitZone().contains(point)) {
        m_editingLimit = 0;
        ShowLimitEditor(UpperLimitZone());
    } else if (LowerLimitZone().contains(point)) {
        m_editingLimit = 1;
        ShowLimitEditor(LowerLimitZone());
    } else {
        SendModuleMessage(this, WM_EDIT_END);
    }
    int k = 0;
    if (HitTestKeyPoint(point, k)) {
        m_selectedIndex = k;
        m_dragOrigin = m_keyPoints[static_cast<size_t>(k)];
        m_dragging = true;
        m_lastDragPixel = ApplyDragConstraints(point);
    }
    // Taken here: passed on to the parent, the press would look like a click
    // outside this window to the open editor's watch.
    event->accept();
}

void CECamCurveWnd::EndDrag(QPoint q)
{
    CommitDrag(q);
    m_dragging = false;
    SendModuleMessage(parentWidget(), WM_CURVE_DRAG_END, static_cast<WPARAM>(m_curveKind), 0);
}

void CECamCurveWnd::mouseMoveEvent(QMouseEvent* event)
{
    QPoint q = event->position().toPoint();
    if (m_panning) {
        if (event->buttons() & Qt::MiddleButton)
            PanByPixels(q - m_panLast);
        else
            m_panning = false;  // the release went elsewhere
        m_panLast = q;
    }
    if (m_dragging && !(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere: the drag is over, the marker stays
        // where it was put and no longer follows the pointer.
        EndDrag(m_lastDragPixel);
        QWidget::mouseMoveEvent(event);
        return;
    }
    // Outside the window only a drag (the implicit grab) has anything to do.
    if (!m_dragging && !rect().contains(q)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    if (m_dragging) {
        q = ApplyDragConstraints(q);
        m_lastDragPixel = q;
        PlotPoint d = PixelToData(q);
        // Zoomed, a pixel column stands for less than a master unit; a point
        // that moves only vertically keeps its master exactly.
        const bool vertical = m_curveKind == CURVE_SPEED ||
                              m_selectedIndex == static_cast<int>(m_keyPoints.size()) - 1;
        if (m_xZoomed && vertical)
            d.x = m_dragOrigin.x;
        const bool orderOk = m_curveKind != CURVE_POSITION || m_selectedIndex == 0 || !m_pointSet ||
                             m_pointSet->KeepsOrder(m_dragOrigin.x, d.x);
        if (orderOk && m_selectedIndex >= 0 && m_selectedIndex < static_cast<int>(m_keyPoints.size()))
            m_keyPoints[static_cast<size_t>(m_selectedIndex)] = d;
        update();
    }
    // No balloon while a button is held: its values would be stale on release.
    const QString text = event->buttons() == Qt::NoButton ? TipTextAt(q) : QString();
    if (!text.isEmpty() && m_toolTip)
        m_toolTip->ShowTip(text);
    QWidget::mouseMoveEvent(event);
}

void CECamCurveWnd::mouseReleaseEvent(QMouseEvent* event)
{
    // The release ends the drag wherever it happens; the constraints pull
    // a release outside back into the plot.
    if (event->button() == Qt::LeftButton && m_dragging)
        EndDrag(ApplyDragConstraints(event->position().toPoint()));
    if (event->button() == Qt::MiddleButton)
        m_panning = false;
    QWidget::mouseReleaseEvent(event);
}

void CECamCurveWnd::paintEvent(QPaintEvent*)
{
    QPainter target(this);
    // The whole client area is redrawn on every paint.
    CMemoryDC dc(&target, rect());
    DrawPlot(dc.Painter());
}

PlotScene CECamCurveWnd::Scene() const
{
    return {.size = size(), .title = m_title, .curve = m_curvePoints, .keys = m_keyPoints,
            .showKeys = m_showKeyPoints, .curveColor = m_curveColor, .xRange = MasterRange(), .xZoomed = m_xZoomed,
            .yMin = m_yMin, .yMax = m_yMax, .peak = m_peak, .dataVersion = m_dataVersion};
}

void CECamCurveWnd::DrawPlot(QPainter& painter, bool polylineOnly) const
{
    m_painter.Paint(painter, Scene(), polylineOnly);
}
