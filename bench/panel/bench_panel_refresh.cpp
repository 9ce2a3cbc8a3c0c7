// RefreshCurves + RefreshTable of the cam panel for a cam of 1500 key points
// (the largest table the drive takes), as after a master length commit.
#include "ui/ecam_curve_wnd.h"
#include "ui/panel/razuvavivezuzo_dlg.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::vector<ECamPoint> LargeCam(int count)
{
    std::vector<ECamPoint> pts;
    for (int i = 0; i < count; ++i) {
        const double m = i * 10.0;
        pts.push_back({m, (i % 7) * 3.0, 0.0, i % 3 == 0 ? kECamLinear : kECamPoly});
    }
    return pts;
}

struct Panel {
    QWidget host;
    CRAZuvavivezUzoDlg* dlg = new CRAZuvavivezUzoDlg;
    Panel()
    {
        dlg->Create(&host);
        dlg->MoveWindow(QRect(0, 0, 1280, 800));
        CECamPointSet cam;
        cam.SetPoints(LargeCam(1500));
        cam.RelinkLinearSpeeds();
        std::vector<ECamPoint> pts;
        cam.GetPoints(pts);
        dlg->LoadPoints(pts);
    }
    ~Panel() { delete dlg; }
};

void BM_RefreshCurvesAndTable1500(benchmark::State& state)
{
    Panel p;
    for (auto _ : state) {
        p.dlg->RefreshCurves();
        p.dlg->RefreshTable();
    }
    state.counters["points"] = static_cast<double>(p.dlg->CamModel().PointCount());
    state.counters["samples"] = static_cast<double>(p.dlg->CamModel().Curve().size());
}
BENCHMARK(BM_RefreshCurvesAndTable1500)->Unit(benchmark::kMillisecond);

void BM_RefreshTableOnly1500(benchmark::State& state)
{
    Panel p;
    for (auto _ : state)
        p.dlg->RefreshTable();
}
BENCHMARK(BM_RefreshTableOnly1500)->Unit(benchmark::kMillisecond);

void BM_RefreshCurvesOnly1500(benchmark::State& state)
{
    Panel p;
    for (auto _ : state)
        p.dlg->RefreshCurves();
}
BENCHMARK(BM_RefreshCurvesOnly1500)->Unit(benchmark::kMillisecond);

}  // namespace

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
