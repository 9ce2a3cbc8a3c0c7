// RefreshCurves + RefreshTable of the cam panel for a cam of 1500 key points
// (the largest table the drive takes), as after a master length commit.
#include "ui/ecam_curve_wnd.h"
#include "ui/panel/panel_ids.h"
#include "ui/panel/razuvavivezuzo_dlg.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>
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

// The table drawn as on screen (the texts of the rows in view are made while
// painting), alone (0) and after a refill (1).
void BM_TablePaint1500(benchmark::State& state)
{
    Panel p;
    p.host.resize(1280, 800);
    p.host.show();
    p.dlg->show();
    QCoreApplication::processEvents();
    auto* table = qobject_cast<QAbstractScrollArea*>(p.dlg->GetDlgItem(panel::IDC_TABLE));
    QWidget* view = table ? table->viewport() : nullptr;
    if (!view || !view->isVisible()) {
        state.SkipWithError("the table is not on screen");
        return;
    }
    for (auto _ : state) {
        if (state.range(0) != 0)
            p.dlg->RefreshTable();
        view->repaint();
    }
}
BENCHMARK(BM_TablePaint1500)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RefreshCurvesOnly1500(benchmark::State& state)
{
    Panel p;
    for (auto _ : state)
        p.dlg->RefreshCurves();
}
BENCHMARK(BM_RefreshCurvesOnly1500)->Unit(benchmark::kMillisecond);

// Undo, then redo, of one drag of a key point in the speed plot (in the
// position plot 1500 points lie closer than a pixel column, so a drag there
// may be refused): the point run restored, the curve recomputed, the plots
// rebuilt and the table rows that changed rewritten. Two history steps per
// iteration; "step" is the time of one.
void BM_UndoRedoDragStep1500(benchmark::State& state)
{
    Panel p;
    p.host.resize(1280, 800);
    p.host.show();
    p.dlg->MoveWindow(QRect(0, 0, 1280, 800));
    QCoreApplication::processEvents();
    auto* speed = static_cast<CECamCurveWnd*>(p.dlg->GetDlgItem(17));
    const int before = p.dlg->History().Index();
    const QPoint from = speed->DataToPixel(speed->KeyPoints()[750]);
    QTest::mousePress(speed, Qt::LeftButton, {}, from);
    QTest::mouseMove(speed, from + QPoint(0, -20));
    QTest::mouseRelease(speed, Qt::LeftButton, {}, from + QPoint(0, -20));
    QCoreApplication::processEvents();
    const int steps = p.dlg->History().Index();
    for (auto _ : state) {
        p.dlg->UndoCamEdit();
        p.dlg->RedoCamEdit();
    }
    if (steps != before + 1 || p.dlg->History().Index() != steps)
        state.SkipWithError("the drag did not make exactly one history step");
    state.counters["step"] = benchmark::Counter(2.0, benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_UndoRedoDragStep1500)->Unit(benchmark::kMillisecond);

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
