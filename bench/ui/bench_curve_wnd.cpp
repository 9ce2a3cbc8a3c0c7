// Full repaint of one curve window (1280 x 360, 2000 curve points) through
// the off-screen buffer, against the same repaint drawing only the polyline.
// The full repaint should cost at most twice the polyline alone.
#include "ui/ecam_curve_wnd.h"
#include "ui/memory_dc.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>

namespace {

void Fill(CECamCurveWnd& wnd)
{
    std::vector<PlotPoint> curve, keys;
    const int n = 2000;
    for (int i = 0; i < n; ++i) {
        const double x = 1000.0 * i / (n - 1);
        curve.push_back({x, 400 * std::sin(x / 1000.0 * 6.283) * std::cos(x / 90.0)});
        if (i % 400 == 0 || i == n - 1)
            keys.push_back(curve.back());
    }
    wnd.resize(1280, 360);
    wnd.m_curveColor = QColor(255, 0, 0);
    wnd.m_yMin = -500;
    wnd.m_yMax = 500;
    wnd.SetTitle(QStringLiteral("位置"));
    wnd.SetCurveData(keys, curve, CURVE_POSITION);
}

void Repaint(benchmark::State& state, bool polylineOnly)
{
    CECamCurveWnd wnd;
    Fill(wnd);
    QImage screen(1280, 360, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter target(&screen);
        CMemoryDC dc(&target, wnd.rect());
        wnd.DrawPlot(dc.Painter(), polylineOnly);
    }
    benchmark::DoNotOptimize(screen.constBits());
}

void BM_CurveWndFullRepaint(benchmark::State& state) { Repaint(state, false); }
void BM_CurveWndPolylineOnly(benchmark::State& state) { Repaint(state, true); }

// The same through the widget's paint event, for reference.
void BM_CurveWndRenderImage(benchmark::State& state)
{
    CECamCurveWnd wnd;
    Fill(wnd);
    QImage img(1280, 360, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        wnd.render(&img);
}
BENCHMARK(BM_CurveWndRenderImage)->Unit(benchmark::kMicrosecond);

// A repaint zoomed in to a tenth of the master axis: only the samples in
// view are drawn, so it should cost no more than the whole curve.
void BM_CurveWndFullRepaintZoomed(benchmark::State& state)
{
    CECamCurveWnd wnd;
    Fill(wnd);
    wnd.SetMasterView(true, {450, 550});
    QImage screen(1280, 360, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter target(&screen);
        CMemoryDC dc(&target, wnd.rect());
        wnd.DrawPlot(dc.Painter());
    }
    benchmark::DoNotOptimize(screen.constBits());
}
BENCHMARK(BM_CurveWndFullRepaintZoomed)->Unit(benchmark::kMicrosecond);

// One wheel notch on three linked plots: the new range, the hover zones of
// every plot rebuilt (the repaint comes later, once per plot).
void BM_CurveWndWheelStep(benchmark::State& state)
{
    QWidget parent;
    CECamCurveWnd* plots[3];
    for (auto*& w : plots) {
        w = new CECamCurveWnd(&parent);
        Fill(*w);
    }
    int i = 0;
    for (auto _ : state)
        plots[0]->ZoomMaster(500.0, (i++ % 2) ? 1.25 : 0.8);
}
BENCHMARK(BM_CurveWndWheelStep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK(BM_CurveWndFullRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CurveWndPolylineOnly)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
