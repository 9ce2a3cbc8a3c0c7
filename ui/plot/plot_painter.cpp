#include "ui/plot/plot_painter.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLine>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QStaticText>
#include <algorithm>
#include <cmath>

namespace {

const QString kDigits = QStringLiteral("0123456789-+.e");

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
    const QRect ink = fm.tightBoundingRect(kDigits);
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

// Pixels between grid lines, whole so every line sits on a pixel; ten
// steps may fall short of the plot's edge.
QSize GridStep(QSize size)
{
    return {(size.width() - 140) / 10, (size.height() - 40) / 10};
}

} // namespace

void BuildPlotLists(const std::vector<ECamCurveSample>& samples, CurveKind kind, std::vector<PlotPoint>& keys,
                    std::vector<PlotPoint>& curve)
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

plotview::Range FitValueRange(std::span<const PlotPoint> curve)
{
    double mx = 0.0, mn = 0.0;
    if (!curve.empty()) {
        mx = mn = curve.front().y;
        for (const PlotPoint& p : curve) {
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
    if (half == 0.0)
        half = mid != 0.0 ? std::fabs(mid) * 0.6 : 1.0;
    return {mid - half, mid + half};
}

plotview::Axis CPlotPainter::XAxis(const PlotScene& s)
{
    return {s.xRange, kLeft, static_cast<double>((s.size.width() - kMargin) - kLeft), false};
}

plotview::Axis CPlotPainter::YAxis(const PlotScene& s)
{
    const int h = s.size.height();
    return {{s.yMin, s.yMax}, h - kMargin, static_cast<double>((h - kMargin) - kMargin), true};
}

QRect CPlotPainter::PlotArea(QSize size)
{
    return QRect(QPoint(kLeft, kMargin), QPoint(size.width() - kMargin, size.height() - kMargin));
}

QString CPlotPainter::PeakText(const CamPeak& peak)
{
    if (!peak.valid)
        return QString();
    // A printf format: the translation keeps its four %g.
    const QByteArray format = QCoreApplication::translate("CECamCurveWnd", "最大 %g @ %g  最小 %g @ %g").toUtf8();
    return QString::asprintf(format.constData(), peak.max, peak.maxAt, peak.min, peak.minAt);
}

void CPlotPainter::LayOutLabels(const PlotScene& s, QPaintDevice* device)
{
    const LabelKey key{s.size, s.xRange, s.xZoomed, s.yMin, s.yMax, device->logicalDpiX(), device->logicalDpiY()};
    if (m_labelsValid && key == m_labelKey)
        return;
    const int w = s.size.width();
    const int h = s.size.height();

    // X labels centred under each grid line, kept inside the plot, with the
    // decimals that show their even steps.
    const LabelFace xf = FaceOf(LabelFont(9), device);
    const QFontMetrics xfm(xf.font, device);
    const int stepPx = GridStep(s.size).width();
    const plotview::Range xr = s.xRange;
    const double stepX = xr.Span() / 10.0;
    const int xDecimals = plotview::DecimalsForLabels(xr.lo, stepX, 11);
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
    const double stepY = (s.yMax - s.yMin) / 10.0;
    const int minDecimals = plotview::DecimalsForStep(stepY);
    const int room = kYLabelRight - kYLabelLeft;
    auto texts = [&](const char* fmt, int precision) {
        std::vector<QString> t;
        for (int i = 0; i <= 10; ++i) {
            double v = s.yMax - i * stepY;
            if (std::fabs(v) < std::fabs(stepY) * 1e-9)
                v = 0.0;  // zero, not the sum's rounding error (-4.6e+282 between +-1e296)
            t.push_back(QString::asprintf(fmt, precision, v));
        }
        return t;
    };
    auto widest = [&](const std::vector<QString>& t, const QFont& f) {
        const QFontMetrics fm(f, device);
        int m = 0;
        for (const QString& text : t)
            m = std::max(m, fm.horizontalAdvance(text));
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
        const QFontMetrics fm(yFont, device);
        yTexts = texts("%.*e", 1);
        for (QString& text : yTexts)
            text = fm.elidedText(text, Qt::ElideRight, room);
    }
    const LabelFace yf = FaceOf(yFont, device);
    const QFontMetrics yfm(yFont, device);
    const int stepPy = GridStep(s.size).height();
    std::vector<AxisLabel> ys;
    for (int i = 0; i <= 10; ++i) {
        const int y = kMargin + i * stepPy;
        const int adv = yfm.horizontalAdvance(yTexts[static_cast<size_t>(i)]);
        const int baseline = y - yf.height / 2 + yf.ascent;
        ys.push_back({QRect(kYLabelRight - adv, baseline + yf.inkTop, adv, yf.inkBottom - yf.inkTop + 1),
                      yTexts[static_cast<size_t>(i)], true});
    }
    Thin(ys, 2, true);

    m_labels.clear();
    m_labelFont.clear();
    m_fonts = {xf.font, yf.font};
    m_labelInkTop = {xf.inkTop, yf.inkTop};
    for (const AxisLabel& l : xs) {
        m_labels.push_back(l);
        m_labelFont.push_back(0);
    }
    for (const AxisLabel& l : ys) {
        m_labels.push_back(l);
        m_labelFont.push_back(1);
    }
    m_labelKey = key;
    m_labelsValid = true;
}

QRect CPlotPainter::CornerFor(const PlotScene& s, QSize size)
{
    const QRect plotArea = PlotArea(s.size);
    const int inset = 2;
    // The corner that hides the fewest curve points, top right first; a key
    // point's marker counts as far more than a curve point, so the read-out
    // leaves the markers visible wherever a corner allows.
    const QRect inner = plotArea.adjusted(inset, inset, -inset, -inset);
    const QRect corners[] = {
        QRect(QPoint(inner.right() - size.width() + 1, inner.top()), size),
        QRect(inner.topLeft(), size),
        QRect(QPoint(inner.right() - size.width() + 1, inner.bottom() - size.height() + 1), size),
        QRect(QPoint(inner.left(), inner.bottom() - size.height() + 1), size),
    };
    size_t hidden[4] = {0, 0, 0, 0};
    const plotview::Axis xa = XAxis(s), ya = YAxis(s);
    for (const PlotPoint& pt : s.curve) {
        const QPoint q(xa.ToPixel(pt.x), ya.ToPixel(pt.y));
        for (int c = 0; c < 4; ++c)
            hidden[c] += corners[c].contains(q) ? 1 : 0;
    }
    if (s.showKeys) {
        const size_t markerWeight = s.curve.size() + 1;
        for (const PlotPoint& k : s.keys) {
            const QPoint q(xa.ToPixel(k.x), ya.ToPixel(k.y));
            const QRect marker(q.x() - kMarkerHalf, q.y() - kMarkerHalf, 2 * kMarkerHalf, 2 * kMarkerHalf);
            for (int c = 0; c < 4; ++c)
                hidden[c] += corners[c].intersects(marker) ? markerWeight : 0;
        }
    }
    return corners[std::min_element(hidden, hidden + 4) - hidden];
}

void CPlotPainter::LayOutPeak(const PlotScene& s, QPaintDevice* device)
{
    const PeakKey key{s.dataVersion, s.size, s.xRange, s.yMin, s.yMax,
                      device->logicalDpiX(), device->logicalDpiY(), s.showKeys};
    if (m_peakValid && s.dataVersion != 0 && key == m_peakKey)
        return;
    m_peakRect = QRect();
    m_peakShown.clear();
    m_peakKey = key;
    m_peakValid = true;
    const QRect plotArea = PlotArea(s.size);
    const QString text = PeakText(s.peak);
    const int inset = 2;
    const int room = plotArea.width() - 2 * inset - 6;
    if (text.isEmpty() || room <= 0)
        return;
    const QFont font(QStringLiteral("Arial"), 8);
    const QFontMetrics fm(font, device);
    const QString shown = fm.horizontalAdvance(text) <= room ? text : fm.elidedText(text, Qt::ElideRight, room);
    const QSize size(fm.horizontalAdvance(shown) + 6, fm.height() + 2);
    if (size.height() <= kMargin - kMarkerHalf) {
        // Above the frame, flush with its right edge: no marker, curve point
        // or label reaches there, so nothing covers it and it covers nothing.
        m_peakRect = QRect(QPoint(plotArea.right() - size.width() + 1, 0), size);
    } else if (size.height() > plotArea.height() - 2 * inset) {
        return;
    } else {
        m_peakRect = CornerFor(s, size);
    }
    m_peakShown = shown;
    // Laid out once: placed where centring in the box puts the text.
    m_peakStatic = QStaticText(shown);
    m_peakStatic.setTextFormat(Qt::PlainText);
    m_peakStatic.prepare(QTransform(), font);
    const QSizeF ink = m_peakStatic.size();
    m_peakAt = QPointF(m_peakRect.x() + (m_peakRect.width() - ink.width()) / 2,
                       m_peakRect.y() + (m_peakRect.height() - ink.height()) / 2);
}

void CPlotPainter::DrawCurve(QPainter& p, const PlotScene& s) const
{
    if (s.curve.empty())
        return;
    // Zoomed in, only the samples in view (and one beyond each side) are
    // drawn, which keeps the pixel coordinates small. A curve that is not
    // in master order is drawn whole.
    size_t first = 0, last = s.curve.size() - 1;
    const auto byX = [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; };
    if (s.xZoomed && std::is_sorted(s.curve.begin(), s.curve.end(), byX)) {
        const auto lo = std::lower_bound(s.curve.begin(), s.curve.end(), PlotPoint{s.xRange.lo, 0.0}, byX);
        const auto hi = std::upper_bound(s.curve.begin(), s.curve.end(), PlotPoint{s.xRange.hi, 0.0}, byX);
        first = static_cast<size_t>(std::max<std::ptrdiff_t>(0, lo - s.curve.begin() - 1));
        last = static_cast<size_t>(
            std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(last), hi - s.curve.begin()));
    }
    // The axes once for the whole curve; each point as the plot maps it.
    const plotview::Axis xa = XAxis(s), ya = YAxis(s);
    QPolygon line(static_cast<int>(last - first) + 2);
    QPoint* out = line.data();
    *out++ = QPoint(xa.ToPixel(s.curve[first].x), ya.ToPixel(s.curve[first].y));
    for (size_t i = first; i <= last; ++i)
        *out++ = QPoint(xa.ToPixel(s.curve[i].x), ya.ToPixel(s.curve[i].y));
    p.save();
    // The curve stays inside the frame; off-range parts are cut at its edge.
    p.setClipRect(PlotArea(s.size));
    p.setPen(QPen(s.curveColor, 1, Qt::SolidLine));
    p.drawPolyline(line);
    p.restore();
}

void CPlotPainter::DrawTexts(QPainter& p, const PlotScene& s) const
{
    // Title, rotated to read bottom to top, its cell's top-left at the point.
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(16);
    titleFont.setWeight(QFont::Bold);
    p.save();
    p.setFont(titleFont);
    p.setPen(Qt::black);
    p.translate(12, s.size.height() / 2 + 30);
    p.rotate(-90);
    p.drawText(QPoint(0, QFontMetrics(titleFont).ascent()), s.title);
    p.restore();

    p.setPen(Qt::black);
    int font = -1;
    for (size_t i = 0; i < m_labels.size(); ++i) {
        const AxisLabel& l = m_labels[i];
        if (m_labelFont[i] != font) {
            font = m_labelFont[i];
            p.setFont(m_fonts[static_cast<size_t>(font)]);
        }
        p.drawText(QPoint(l.rect.left(), l.rect.top() - m_labelInkTop[static_cast<size_t>(font)]), l.text);
    }
}

void CPlotPainter::DrawLines(QPainter& p, QSize size)
{
    const int w = size.width();
    const int h = size.height();
    const QColor grey(100, 100, 100);
    const int stepPx = GridStep(size).width();
    const int stepPy = GridStep(size).height();
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
}

void CPlotPainter::BuildLines(QSize size)
{
    m_lines = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_lines.fill(Qt::transparent);
    {
        QPainter lp(&m_lines);
        DrawLines(lp, size);
    }
    // One strip per grid line and frame edge. Should any pixel of the layer
    // lie outside them, the whole layer is laid instead.
    const int w = size.width();
    const int h = size.height();
    const int stepPx = GridStep(size).width();
    const int stepPy = GridStep(size).height();
    m_lineStrips.clear();
    QRegion covered;
    for (int i = 0; i <= 10; ++i) {
        m_lineStrips.push_back(QRect(QPoint(kLeft + i * stepPx, kMargin), QPoint(kLeft + i * stepPx, h - kMargin)));
        m_lineStrips.push_back(QRect(QPoint(kLeft, kMargin + i * stepPy), QPoint(w - kMargin, kMargin + i * stepPy)));
    }
    m_lineStrips.push_back(QRect(QPoint(w - kMargin, kMargin), QPoint(w - kMargin, h - kMargin)));
    m_lineStrips.push_back(QRect(QPoint(kLeft, h - kMargin), QPoint(w - kMargin, h - kMargin)));
    for (const QRect& r : m_lineStrips)
        covered += r;
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(m_lines.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) != 0 && !covered.contains(QPoint(x, y))) {
                m_lineStrips = {m_lines.rect()};
                return;
            }
    }
}

void CPlotPainter::Paint(QPainter& p, const PlotScene& s, bool polylineOnly)
{
    const int w = s.size.width();
    const int h = s.size.height();
    p.setBackgroundMode(Qt::TransparentMode);
    p.fillRect(QRect(QPoint(0, 0), s.size), QColor(255, 255, 255));

    DrawCurve(p, s);
    if (polylineOnly)
        return;

    QPaintDevice* device = p.device();
    const bool wasValid = m_labelsValid;
    const LabelKey before = m_labelKey;
    LayOutLabels(s, device);
    const int type = device->devType();
    // Pictures kept at one pixel per plot pixel: only for a target of that
    // resolution (a high-density screen draws everything itself, crisply).
    const bool raster = (type == QInternal::Image || type == QInternal::Pixmap || type == QInternal::Widget) &&
                        device->devicePixelRatioF() == 1.0;
    if (raster) {
        // Text is the dearest part of a frame and changes only with the
        // axes: drawn once into an image of the plot's resolution, then
        // copied. The strips hold nothing else (the curve and the markers'
        // centres stay inside the frame), so the pixels are the same.
        if (!m_textsValid || !wasValid || !(before == m_labelKey) || m_textsTitle != s.title) {
            m_texts = QImage(s.size, QImage::Format_RGB32);
            m_texts.setDotsPerMeterX(qRound(device->logicalDpiX() / 0.0254));
            m_texts.setDotsPerMeterY(qRound(device->logicalDpiY() / 0.0254));
            m_texts.fill(Qt::white);
            QPainter tp(&m_texts);
            DrawTexts(tp, s);
            m_textsTitle = s.title;
            m_textsValid = true;
        }
        const QRect left(0, 0, kLeft, h);
        const QRect bottom(kLeft, h - kMargin + 1, w - kLeft, kMargin - 1);
        p.drawImage(left, m_texts, left);
        p.drawImage(bottom, m_texts, bottom);
    } else {
        DrawTexts(p, s);
    }

    if (raster) {
        // Grid and frame change only with the size: drawn once into a
        // transparent layer, then laid over the curve strip by strip. Their
        // pixels are opaque or untouched, so this equals drawing them.
        if (m_lines.size() != s.size)
            BuildLines(s.size);
        for (const QRect& r : m_lineStrips)
            p.drawImage(r, m_lines, r);
    } else {
        DrawLines(p, s.size);
    }

    const QRect plotArea = PlotArea(s.size);
    if (s.showKeys) {
        const plotview::Axis xa = XAxis(s), ya = YAxis(s);
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 0, 0));
        for (const PlotPoint& k : s.keys) {
            const QPoint c(xa.ToPixel(k.x), ya.ToPixel(k.y));
            if (!plotArea.contains(c))  // an off-range point has no place on the plot
                continue;
            const QRect marker(c.x() - kMarkerHalf, c.y() - kMarkerHalf, 9, 9);
            // A marker on the frame's left edge reaches into the y labels:
            // the label boxes stay readable, the marker is cut there.
            QRegion under;
            if (marker.left() < kLeft || marker.bottom() >= h - kMargin)  // the labels lie beyond the frame
                for (const AxisLabel& l : m_labels)
                    if (l.rect.intersects(marker.adjusted(0, 0, 1, 1)))
                        under += l.rect;
            if (under.isEmpty()) {
                p.drawEllipse(marker);
                continue;
            }
            p.save();
            p.setClipRegion(QRegion(marker.adjusted(-1, -1, 1, 1)) - under, Qt::IntersectClip);
            p.drawEllipse(marker);
            p.restore();
        }
        p.setBrush(Qt::NoBrush);
    }

    // The read-out last, above the markers: whatever lies under it, it
    // stays readable.
    LayOutPeak(s, p.device());
    if (!m_peakRect.isEmpty()) {
        p.fillRect(m_peakRect, QColor(255, 255, 255, 220));
        p.setFont(QFont(QStringLiteral("Arial"), 8));
        p.setPen(Qt::black);
        if (raster)
            p.drawStaticText(m_peakAt, m_peakStatic);
        else
            p.drawText(m_peakRect, Qt::AlignCenter, m_peakShown);
    }
}
