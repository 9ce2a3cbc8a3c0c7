// What the read-back costs next to the write it checks: 100 standard points
// (scaling, count and table, with the product's 50 ms pause before each
// field) written to the simulated drive over RTU on a pseudo-terminal that
// keeps 115200-baud line timing and answers after a turnaround of 20 ms or
// 2 ms, then verified. The figure of merit is verify_to_write, the read-back's
// time over the write's (targets: at most 0.05 at 20 ms, 0.02 at 2 ms).
#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/cam_verify.h"
#include "drive/fun_code_access.h"
#include "drive/fun_code_field_io.h"
#include "drive/puu_params.h"
#include "drive/transfer_stop.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"
#include "sim/drive_simulator.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void VerifyAgainstWrite(benchmark::State& state)
{
    SimOptions options;
    options.rtu = true;
    options.emulateLineTiming = true;
    options.faults.delayMs = static_cast<int>(state.range(0));
    CDriveSimulator sim(options);
    std::string error;
    if (!sim.Start(&error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    CSingleton<CLogicManage>::Instance()->GetDeviceManage()->SelectDevice(sim.Url());
    CFunCodeAccess access;
    if (!access.Init() || !access.CheckConnect()) {
        state.SkipWithError("cannot reach the simulated drive");
        return;
    }
    std::vector<ECamPoint> points;
    for (int i = 0; i < 100; ++i)
        points.push_back({i * 3.25, (i % 40) * 1.5 - 20.0, 0.75, i % 2});
    const camverify::Expected expected = {puu::Values{131072, 360, 10000, 25}, 100,
                                          camtable::BuildStandardTable(points), false};

    for (auto _ : state) {
        CFunCodeFieldIo io(access);
        CTransferStop stop;
        CCamTransfer transfer(io, camxfer::Timing{}, &stop);
        CCamVerifier verifier(io, camxfer::Timing{}, &stop);
        std::vector<camverify::Mismatch> mismatches;
        const auto t0 = std::chrono::steady_clock::now();
        const bool written = puu::WriteValues(io, *expected.scaling) && puu::WritePointCount(io, expected.pointCount)
                             && transfer.StandardWrite(expected.table, [](unsigned, uintptr_t) {}) == camxfer::kOk;
        const double write = Seconds(t0);
        const auto t1 = std::chrono::steady_clock::now();
        const int code = verifier.Verify(expected, mismatches);
        const double check = Seconds(t1);
        state.SetIterationTime(write + check);
        if (!written || code != camxfer::kOk)
            state.SkipWithError("write or read-back failed");
        state.counters["write_s"] = write;
        state.counters["verify_s"] = check;
        state.counters["verify_to_write"] = check / write;
    }
}

} // namespace

BENCHMARK(VerifyAgainstWrite)->Name("Verify100/rtu_115200/turnaround_ms")->Arg(20)->Arg(2)
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
