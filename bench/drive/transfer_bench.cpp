// A full standard table (272 points) written to the simulated drive with the
// product's 50 ms pause before each field, over TCP loopback and over RTU on
// a pseudo-terminal that keeps 115200-baud line timing. The figure of merit
// is the ratio of the elapsed time to the pacing floor 272 x 4 x 50 ms
// (targets: 1.02 TCP, 1.10 RTU).
#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/fun_code_access.h"
#include "drive/fun_code_field_io.h"
#include "drive/transfer_stop.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"
#include "sim/drive_simulator.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void StandardWrite272(benchmark::State& state, bool rtu)
{
    SimOptions options;
    options.rtu = rtu;
    options.emulateLineTiming = rtu;
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
    for (int i = 0; i < camtable::kStandardMaxPoints; ++i)
        points.push_back({i * 3.25, (i % 40) * 1.5 - 20.0, 0.75, i % 2});
    const auto table = camtable::BuildStandardTable(points);
    const double floor = camtable::kStandardMaxPoints * 4 * 0.050;

    for (auto _ : state) {
        CFunCodeFieldIo io(access);
        CTransferStop stop;
        CCamTransfer transfer(io, camxfer::Timing{}, &stop);
        const auto t0 = std::chrono::steady_clock::now();
        const int code = transfer.StandardWrite(table, [](unsigned, uintptr_t) {});
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(seconds);
        if (code != camxfer::kOk)
            state.SkipWithError("transfer failed");
        state.counters["ratio_to_floor"] = seconds / floor;
        state.counters["retries"] = transfer.Retries();
    }
}

} // namespace

BENCHMARK_CAPTURE(StandardWrite272, tcp_loopback, false)
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(StandardWrite272, rtu_pty_115200, true)
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
