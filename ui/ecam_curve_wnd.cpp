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
    return {MasterRange(), kLeft, static_cast<double>((width() - kMargin) - kLeft), false};
}

plotview::Axis CECamCurveWnd::YAxis() const
{
    return {{m_yMin, m_yMax}, height() - kMargin, static_cast<double>((height() - kMargin) - kMargin), true};
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
    BuildTipZones();
}

void CECamCurveWnd::AutoScaleY()
{
    double mx = 0.0, mn = 0.0;
    if (!m_curvePoints.empty()) {
        mx = mn = m_curvePoints.front().y;
        for (const PlotPoint& p : m_curvePoints) {
            mx = std::max(mx, p.y);
            mn = std::min(mn, p.y);
        }
    }
    double mid = (mx + mn) * 0.5;
    if (mn != 0.0) {
        const double ratio = mx / mn;
        if (ratio > -1.2 && ratio < -0.8)
            mid = 0.0;  // swings about equally both ways: centre on zero
    }
    double half = (mx - mn) * 0.1 * 1.2 * 5.0;
    if (half == 0.0)  // flat curve: the same 0.6 of its level each way, or 1 about zero
        half = mid != 0.0 ? std::fabs(mid) * 0.6 : 1.0;
    m_yMax = mid + half;
    m_yMin = mid - half;
    m_yZoomed = false;  // the fitted range is the new home
    update();
}

void CECamCurveWnd::BuildLists(const std::vector<ECamCurveSample>& samples, CurveKind kind,
                               std::vector<PlotPoint>& keys, std::vector<PlotPoint>& curve)
{
    keys.clear();
    curve.clear();
    curve.reserve(samples.size());
    for (const ECamCurveSample& s : samples) {
        PlotPoint p;
        switch (kind) {
        case CURVE_POSITION: p = {s.positionX, s.position}; break;
        case CURVE_SPEED: p = {s.speedX, s.speed}; break;
        default: p = {s.accelX, s.accel}; break;
        }
        curve.push_back(p);
        if (kind != CURVE_ACCEL && s.isKeyPoint)
            keys.push_back(p);
    }
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
    for (size_t i = 0; i < m_keyPoints.size(); ++i) {
        const QPoint c = DataToPixel(m_keyPoints[i]);
        const QRect box(c.x() - kMarkerHalf, c.y() - kMarkerHalf, 2 * kMarkerHalf, 2 * kMarkerHalf);
        if (box.contains(point)) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
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

namespace {

struct LabelFace {
    QFont font;
    int ascent = 0;
    int height = 0;
    int inkTop = 0;     // digit ink relative to the baseline (negative: above)
    int inkBottom = 0;
};

LabelFace FaceOf(const QFont& font, QPaintDevice* device)
{
    const QFontMetrics fm(font, device);
    const QRect ink = fm.tightBoundingRect(QStringLiteral("0123456789-+.e"));
    return {font, fm.ascent(), fm.height(), ink.top(), ink.bottom()};
}

QFont LabelFont(int points)
{
    return QFont(QStringLiteral("Arial"), points);
}

// True when the labels at every stride-th slot keep gap pixels between them
// along the axis (x: left to right, y: top to bottom).
bool FitsAtStride(const std::vector<AxisLabel>& labels, int stride, int gap, bool vertical)
{
    for (size_t i = 0; i + stride < labels.size(); i += stride) {
        const QRect& a = labels[i].rect;
        const QRect& b = labels[i + stride].rect;
        if (vertical ? a.bottom() + gap >= b.top() : a.right() + gap >= b.left())
            return false;
    }
    return true;
}

// Keeps every stride-th label, the smallest stride (1, 2, 5, 10) that keeps
// them apart; the first label always stays.
void Thin(std::vector<AxisLabel>& labels, int gap, bool vertical)
{
    int chosen = 0;
    for (int stride : {1, 2, 5, 10})
        if (FitsAtStride(labels, stride, gap, vertical)) {
            chosen = stride;
            break;
        }
    std::vector<AxisLabel> kept;
    for (size_t i = 0; i < labels.size(); ++i)
        if (chosen ? i % static_cast<size_t>(chosen) == 0 : i == 0)
            kept.push_back(labels[i]);
    labels.swap(kept);
}

} // namespace

std::vector<AxisLabel> CECamCurveWnd::LayOutLabels(QPainter& p) const
{
    const int w = width();
    const int h = height();
    std::vector<AxisLabel> out;
    std::vector<QFont> fonts;

    // X labels: "%.0f" centred under each grid line, kept inside the window.
    const LabelFace xf = FaceOf(LabelFont(9), p.device());
    const QFontMetrics xfm(xf.font, p.device());
    const int stepPx = (w - 140) / 10;
    const plotview::Range xr = MasterRange();
    const double stepX = xr.Span() / 10.0;
    // Zoomed in, whole numbers would repeat: as many decimals as the step needs.
    const int xDecimals = m_xZoomed ? plotview::DecimalsForStep(stepX) : 0;
    std::vector<AxisLabel> xs;
    for (int i = 0; i <= 10; ++i) {
        const int x = kLeft + i * stepPx;
        double v = xr.lo + i * stepX;
        if (std::fabs(v) < std::fabs(stepX) * 1e-9)
            v = 0.0;  // no "-0.00" where the sum only nearly cancels
        const QString text = QString::asprintf("%.*f", xDecimals, v);
        const int adv = xfm.horizontalAdvance(text);
        int left = x - adv / 2;
        left = std::max(0, std::min(left, w - adv));
        const int baseline = h - 15 + xf.ascent;
        xs.push_back({QRect(left, baseline + xf.inkTop, adv, xf.inkBottom - xf.inkTop + 1), text, false});
    }
    Thin(xs, 4, false);

    // Y labels: "%f" as long as it fits between the title and the plot;
    // longer limits lose decimals first (never below what tells the grid
    // steps apart), then font size, then go to exponent form. The sign stays.
    const double stepY = (m_yMax - m_yMin) / 10.0;
    const double absStep = std::fabs(stepY);
    int minDecimals = 0;
    if (absStep > 0.0 && std::isfinite(absStep))
        minDecimals = std::clamp(static_cast<int>(std::ceil(-std::log10(absStep))), 0, 6);
    const int room = kYLabelRight - kYLabelLeft;
    auto texts = [&](const char* fmt, int precision) {
        std::vector<QString> t;
        for (int i = 0; i <= 10; ++i)
            t.push_back(QString::asprintf(fmt, precision, m_yMax - i * stepY));
        return t;
    };
    auto widest = [&](const std::vector<QString>& t, const QFont& f) {
        const QFontMetrics fm(f, p.device());
        int m = 0;
        for (const QString& s : t)
            m = std::max(m, fm.horizontalAdvance(s));
        return m;
    };
    std::vector<QString> yTexts;
    QFont yFont;
    // The largest font first, then the most digits (down to `leastDigits`)
    // that fit the room.
    auto fit = [&](const char* format, int leastDigits) {
        for (int pt : {9, 8, 7}) {
            for (int d = 6; d >= leastDigits; --d) {
                auto t = texts(format, d);
                if (widest(t, LabelFont(pt)) <= room) {
                    yTexts = std::move(t);
                    yFont = LabelFont(pt);
                    return true;
                }
            }
        }
        return false;
    };
    const bool found = fit("%.*f", minDecimals) || fit("%.*e", 1);
    if (!found) {
        // Nothing fits whole: cut at the right end, so the sign survives.
        yFont = LabelFont(7);
        const QFontMetrics fm(yFont, p.device());
        yTexts = texts("%.*e", 1);
        for (QString& s : yTexts)
            s = fm.elidedText(s, Qt::ElideRight, room);
    }
    const LabelFace yf = FaceOf(yFont, p.device());
    const QFontMetrics yfm(yFont, p.device());
    const int stepPy = (h - 40) / 10;
    std::vector<AxisLabel> ys;
    for (int i = 0; i <= 10; ++i) {
        const int y = kMargin + i * stepPy;
        const int adv = yfm.horizontalAdvance(yTexts[static_cast<size_t>(i)]);
        const int baseline = y - yf.height / 2 + yf.ascent;
        ys.push_back({QRect(kYLabelRight - adv, baseline + yf.inkTop, adv, yf.inkBottom - yf.inkTop + 1),
                      yTexts[static_cast<size_t>(i)], true});
    }
    Thin(ys, 2, true);

    for (AxisLabel& l : xs) {
        out.push_back(l);
        fonts.push_back(xf.font);
    }
    for (AxisLabel& l : ys) {
        out.push_back(l);
        fonts.push_back(yFont);
    }
    m_lastLabelFonts = std::move(fonts);
    return out;
}

void CECamCurveWnd::DrawPlot(QPainter& p, bool polylineOnly) const
{
    const int w = width();
    const int h = height();
    p.setBackgroundMode(Qt::TransparentMode);
    p.fillRect(rect(), QColor(255, 255, 255));

    if (!polylineOnly) {
        // Title, rotated to read bottom to top, its cell's top-left at the point.
        QFont titleFont(QStringLiteral("Arial"));
        titleFont.setPixelSize(16);
        titleFont.setWeight(QFont::Bold);
        p.save();
        p.setFont(titleFont);
        p.setPen(Qt::black);
        p.translate(12, h / 2 + 30);
        p.rotate(-90);
        p.drawText(QPoint(0, QFontMetrics(titleFont).ascent()), m_title);
        p.restore();
    }

    // The curve stays inside the frame; off-range parts are cut at its edge.
    const QRect plotArea = PlotArea();
    if (!m_curvePoints.empty()) {
        // Zoomed in, only the samples in view (and one beyond each side) are
        // drawn, which keeps the pixel coordinates small. A curve that is not
        // in master order is drawn whole.
        size_t first = 0, last = m_curvePoints.size() - 1;
        const auto byX = [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; };
        if (m_xZoomed && std::is_sorted(m_curvePoints.begin(), m_curvePoints.end(), byX)) {
            const plotview::Range r = MasterRange();
            const auto lo = std::lower_bound(m_curvePoints.begin(), m_curvePoints.end(), PlotPoint{r.lo, 0.0}, byX);
            const auto hi = std::upper_bound(m_curvePoints.begin(), m_curvePoints.end(), PlotPoint{r.hi, 0.0}, byX);
            first = static_cast<size_t>(std::max<std::ptrdiff_t>(0, lo - m_curvePoints.begin() - 1));
            last = static_cast<size_t>(std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(last),
                                                                 hi - m_curvePoints.begin()));
        }
        // The axes once for the whole curve; each point as DataToPixel maps it.
        const plotview::Axis xa = XAxis(), ya = YAxis();
        const auto pixel = [&](const PlotPoint& c) { return QPoint(xa.ToPixel(c.x), ya.ToPixel(c.y)); };
        QPolygon line;
        line.reserve(static_cast<int>(last - first) + 2);
        line << pixel(m_curvePoints[first]);
        for (size_t i = first; i <= last; ++i)
            line << pixel(m_curvePoints[i]);
        p.save();
        p.setClipRect(plotArea);
        p.setPen(QPen(m_curveColor, 1, Qt::SolidLine));
        p.drawPolyline(line);
        p.restore();
    }
    if (polylineOnly)
        return;

    const QColor grey(100, 100, 100);
    m_lastLabels = LayOutLabels(p);
    p.setPen(Qt::black);
    for (size_t i = 0; i < m_lastLabels.size(); ++i) {
        const AxisLabel& l = m_lastLabels[i];
        const QFont& f = m_lastLabelFonts[i];
        p.setFont(f);
        const QRect ink = QFontMetrics(f, p.device()).tightBoundingRect(QStringLiteral("0123456789-+.e"));
        p.drawText(QPoint(l.rect.left(), l.rect.top() - ink.top()), l.text);
    }

    // Grid in whole pixels; the last line may fall short of the plot edge.
    const int stepPx = (w - 140) / 10;
    const int stepPy = (h - 40) / 10;
    QVector<QLine> grid;
    grid.reserve(22);
    for (int i = 0; i <= 10; ++i) {
        grid << QLine(kLeft + i * stepPx, kMargin, kLeft + i * stepPx, h - kMargin);
        grid << QLine(kLeft, kMargin + i * stepPy, w - kMargin, kMargin + i * stepPy);
    }
    p.setPen(QPen(grey, 1, Qt::DotLine));
    p.drawLines(grid);

    p.setPen(QPen(grey, 1, Qt::SolidLine));
    const QPoint frame[] = {{kLeft, kMargin}, {w - kMargin, kMargin}, {w - kMargin, h - kMargin},
                            {kLeft, h - kMargin}, {kLeft, kMargin}};
    p.drawPolyline(frame, 5);

    DrawPeak(p, plotArea);

    if (m_showKeyPoints) {
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 0, 0));
        for (const PlotPoint& k : m_keyPoints) {
            const QPoint c = DataToPixel(k);
            if (plotArea.contains(c))  // an off-range point has no place on the plot
                p.drawEllipse(QRect(c.x() - 5, c.y() - 5, 9, 9));
        }
        p.setBrush(Qt::NoBrush);
    }
}
