// The fit of the four-segment example (cycloidal rise, dwell, modified-sine
// return, dwell) at two tolerances; the key point count is reported as a
// counter beside the time. Target: under 50 ms each.
#include "cam/cam_design.h"

#include <benchmark/benchmark.h>

namespace {

void FitExample(benchmark::State& state, double tolerance)
{
    const std::vector<DesignSegment> segments = RiseDwellReturnDwell(3600);
    CamDesign design;
    DesignError error;
    for (auto _ : state) {
        if (!DesignCam(segments, {tolerance, kDesignDefaultMaxPoints}, design, error)) {
            state.SkipWithError(error.text.c_str());
            return;
        }
        benchmark::DoNotOptimize(design.points.data());
    }
    state.counters["key_points"] = double(design.points.size());
}

} // namespace

BENCHMARK_CAPTURE(FitExample, tolerance_0_01, 0.01)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FitExample, tolerance_0_001, 0.001)->Unit(benchmark::kMillisecond);
