// Cost of one edit (which recomputes the whole curve) against a floor that
// only fills a vector with as many curve records as the edit produces.
#include "cam/ecam_point_set.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Two Poly points 1999 apart: step 1, about 2000 records.
CECamPointSet TwoPointCam()
{
    CECamPointSet set;
    set.SetPoints({{0, 0, 0, kECamPoly}, {1999, 100, 0, kECamPoly}});
    return set;
}

// 1500 key points, alternating lines and blends over a master span of 1499.
CECamPointSet ManyPointCam()
{
    std::vector<ECamPoint> pts;
    for (int i = 0; i < 1500; ++i)
        pts.push_back({double(i), double(i % 7), 0.0, i % 2 ? kECamPoly : kECamLinear});
    CECamPointSet set;
    set.SetPoints(pts);
    set.RelinkLinearSpeeds();
    return set;
}

void FillFloor(benchmark::State& state, std::size_t records)
{
    std::vector<ECamCurveSample> v;
    for (auto _ : state) {
        v.clear();
        double x = 0.0;
        for (std::size_t i = 0; i < records; ++i, x += 1.0)
            v.push_back({x, x, x, 0.0, x, 0.0, false});
        benchmark::DoNotOptimize(v.data());
        benchmark::ClobberMemory();
    }
    state.counters["records"] = double(records);
}

void BM_TwoPointEdit(benchmark::State& state)
{
    CECamPointSet set = TwoPointCam();
    double speed = 0.0;
    for (auto _ : state) {
        speed = speed == 0.0 ? 0.05 : 0.0;
        set.SetPointSpeed(0, speed);
        benchmark::DoNotOptimize(set.Curve().data());
    }
    state.counters["records"] = double(set.Curve().size());
}

void BM_TwoPointFloor(benchmark::State& state)
{
    FillFloor(state, TwoPointCam().Curve().size());
}

void BM_ManyPointEdit(benchmark::State& state)
{
    CECamPointSet set = ManyPointCam();
    double slave = 0.0;
    for (auto _ : state) {
        // A drag step in the middle of the cam: find, relink, recompute.
        slave = slave == 0.0 ? 3.0 : 0.0;
        set.MovePoint(749, 749, slave);
        benchmark::DoNotOptimize(set.Curve().data());
    }
    state.counters["records"] = double(set.Curve().size());
}

void BM_ManyPointFloor(benchmark::State& state)
{
    FillFloor(state, ManyPointCam().Curve().size());
}

} // namespace

BENCHMARK(BM_TwoPointEdit);
BENCHMARK(BM_TwoPointFloor);
BENCHMARK(BM_ManyPointEdit);
BENCHMARK(BM_ManyPointFloor);
BENCHMARK_MAIN();
