// One 16-bit and one 32-bit parameter write, round trip, through the panel's
// access object: TCP loopback, RTU on a bare pseudo-terminal, and RTU with
// the simulator pacing each frame like a 115200 baud line.
#include "drive/fun_code_access.h"
#include "host/device_manage.h"
#include "host/logic_manage.h"
#include "sim/drive_simulator.h"

#include <benchmark/benchmark.h>

namespace {

enum Link { kTcp = 0, kRtu = 1, kRtuPaced = 2 };

void WriteRoundTrip(benchmark::State& state, unsigned width)
{
    SimOptions o;
    o.rtu = state.range(0) != kTcp;
    o.emulateLineTiming = state.range(0) == kRtuPaced;
    CDriveSimulator sim(o);
    std::string error;
    if (!sim.Start(&error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    CSingleton<CLogicManage>::Instance()->GetDeviceManage()->SelectDevice(sim.Url());
    CFunCodeAccess access;
    if (!access.Init()) {
        state.SkipWithError("no catalogue");
        return;
    }
    // Values stay within 15 bits, which a field of either width takes: a
    // plain counter passes a 16-bit field's range after 65,535 writes.
    uint32_t value = 0;
    for (auto _ : state) {
        value = (value + 1) & 0x7FFF;
        if (!access.WriteFunCodeByAddr(0x1E00, width, value)) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetLabel(state.range(0) == kTcp ? "tcp" : state.range(0) == kRtu ? "rtu-pty" : "rtu-115200");
}

void BM_Write16(benchmark::State& state)
{
    WriteRoundTrip(state, 16);
}
void BM_Write32(benchmark::State& state)
{
    WriteRoundTrip(state, 32);
}

} // namespace

BENCHMARK(BM_Write16)->Arg(kTcp)->Arg(kRtu)->Arg(kRtuPaced)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Write32)->Arg(kTcp)->Arg(kRtu)->Arg(kRtuPaced)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
