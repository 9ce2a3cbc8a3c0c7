#pragma once
// What a painted curve window must show readably: every axis label whole,
// inside the window and outside the plot frame, apart from the others, the
// y labels clear of the title column; the x labels as evenly spaced as the
// grid lines they name; the peak read-out inside the window, off the labels
// and off every key-point marker shown; zero as zero.
#include "ui/c_number.h"
#include "ui/ecam_curve_wnd.h"
#include "ui/plot/plot_painter.h"

#include <QImage>
#include <gtest/gtest.h>
#include <cmath>
#include <string>

inline void ExpectLabelsApartAndInside(CECamCurveWnd* wnd, const std::string& what = {})
{
    const QImage shown = wnd->grab().toImage();
    const auto& labels = wnd->LabelRects();
    ASSERT_FALSE(labels.empty()) << what;
    const QRect frame = CPlotPainter::PlotArea(wnd->size());
    std::vector<double> xs;
    for (size_t i = 0; i < labels.size(); ++i) {
        const std::string text = what + " " + labels[i].text.toStdString();
        EXPECT_TRUE(wnd->rect().contains(labels[i].rect)) << text;
        EXPECT_FALSE(labels[i].rect.intersects(frame)) << text;
        int red = 0;  // marker or curve ink over the label
        for (int y = labels[i].rect.top(); y <= labels[i].rect.bottom(); ++y)
            for (int x = labels[i].rect.left(); x <= labels[i].rect.right(); ++x)
                red += shown.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
        EXPECT_EQ(red, 0) << text;
        // Zero reads as zero, not as the rounding error of the steps' sum.
        const double v = CToF(labels[i].text);
        const double step = labels[i].yAxis ? (wnd->m_yMax - wnd->m_yMin) / 10 : wnd->MasterRange().Span() / 10;
        EXPECT_TRUE(v == 0 || std::fabs(v) >= std::fabs(step) * 1e-6) << text;
        if (labels[i].yAxis) {
            EXPECT_GE(labels[i].rect.left(), CECamCurveWnd::kYLabelLeft) << text;
        } else {
            xs.push_back(CToF(labels[i].text));
        }
        for (size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(labels[i].rect.intersects(labels[j].rect)) << text << " / " << labels[j].text.toStdString();
    }
    // Steps equal to the last printed digit: "20, 25, ... 66, 71" misstates them.
    for (size_t i = 2; i < xs.size(); ++i)
        EXPECT_NEAR(xs[i] - xs[i - 1], xs[1] - xs[0], std::fabs(xs[1] - xs[0]) * 1e-6) << what << " x label " << i;

    const QRect peak = wnd->PeakRect();
    if (peak.isEmpty())
        return;
    EXPECT_TRUE(wnd->rect().contains(peak)) << what;
    for (const AxisLabel& l : labels)
        EXPECT_FALSE(peak.intersects(l.rect)) << what << " read-out / " << l.text.toStdString();
    if (!wnd->m_showKeyPoints)
        return;
    for (const PlotPoint& k : wnd->KeyPoints()) {
        const QPoint c = wnd->DataToPixel(k);
        const QRect marker(c.x() - CPlotPainter::kMarkerHalf, c.y() - CPlotPainter::kMarkerHalf,
                           2 * CPlotPainter::kMarkerHalf, 2 * CPlotPainter::kMarkerHalf);
        if (frame.contains(c)) {
            EXPECT_FALSE(peak.intersects(marker)) << what << " read-out / marker at " << k.x << ", " << k.y;
        }
    }
}
