#include "ui/panel/motion_law_preview.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// quantity 0 position, 1 speed, 2 acceleration; law or fit.
double Value(const DesignSample& s, int quantity, bool law)
{
    switch (quantity) {
    case 0: return law ? s.lawPosition : s.fitPosition;
    case 1: return law ? s.lawSpeed : s.fitSpeed;
    default: return law ? s.lawAccel : s.fitAccel;
    }
}

} // namespace

CMotionLawPreview::CMotionLawPreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(240, 240);
}

void CMotionLawPreview::SetDesign(std::vector<DesignSample> samples, std::vector<double> keyMasters)
{
    m_samples = std::move(samples);
    m_keyMasters = std::move(keyMasters);
    update();
}

void CMotionLawPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const int h = height() / 3;
    const QString titles[] = {tr("位置"), tr("速度"), tr("加速度")};
    for (int q = 0; q < 3; ++q)
        PaintPlot(p, QRect(0, q * h, width(), q == 2 ? height() - 2 * h : h), q, titles[q]);
}

void CMotionLawPreview::PaintPlot(QPainter& p, const QRect& area, int quantity, const QString& title) const
{
    const QRect plot = area.adjusted(8, 18, -8, -6);
    p.save();
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.drawRect(plot);
    p.setPen(Qt::black);
    p.drawText(area.adjusted(8, 2, -8, 0), Qt::AlignLeft | Qt::AlignTop, title);
    if (m_samples.empty() || plot.width() < 2 || plot.height() < 2) {
        p.restore();
        return;
    }
    double lo = 0.0, hi = 0.0;
    for (const DesignSample& s : m_samples)
        for (bool law : {true, false}) {
            lo = std::min(lo, Value(s, quantity, law));
            hi = std::max(hi, Value(s, quantity, law));
        }
    if (hi - lo < 1e-12)
        hi = lo + 1.0;
    const double x0 = m_samples.front().master, x1 = std::max(m_samples.back().master, x0 + 1e-9);
    const auto at = [&](double x, double y) {
        return QPointF(plot.left() + (x - x0) / (x1 - x0) * plot.width(),
                       plot.bottom() - (y - lo) / (hi - lo) * plot.height());
    };
    p.setRenderHint(QPainter::Antialiasing);
    for (bool law : {false, true}) {
        QPainterPath path;
        for (size_t i = 0; i < m_samples.size(); ++i) {
            const QPointF pt = at(m_samples[i].master, Value(m_samples[i], quantity, law));
            i == 0 ? path.moveTo(pt) : path.lineTo(pt);
        }
        // The fit wide and coloured, the law thin and dark on top of it.
        p.setPen(law ? QPen(QColor(40, 40, 40), 1) : QPen(QColor(70, 140, 230), 3));
        p.drawPath(path);
    }
    if (quantity == 0) {
        p.setPen(QPen(QColor(200, 60, 40), 1));
        for (double m : m_keyMasters) {
            const auto it = std::lower_bound(m_samples.begin(), m_samples.end(), m,
                                             [](const DesignSample& s, double x) { return s.master < x; });
            if (it != m_samples.end())
                p.drawEllipse(at(it->master, it->fitPosition), 2.0, 2.0);
        }
    }
    p.restore();
}
