// Profile files and workbook import at the sizes users reach: a 1500-point
// .ecam loaded and saved (targets: under 5 ms each), and a 1500-row .xlsx
// imported (target: under 50 ms), all through real files.
#include "files/ecam_file.h"
#include "files/ms_excel_helper.h"
#include "files/point_list_file.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;

ecam::ECamProfile profile1500()
{
    ecam::ECamProfile p;
    p.hostVersion = L"1.0.0.0";
    p.saveTime = L"2026年12月05日12:00:00";
    p.masterLength = L"360000";
    p.unit = L"毫米";
    p.slavePulse = L"131072";
    p.slaveUnits = L"10";
    p.masterPulse = L"10000";
    p.masterUnits = L"360";
    for (int i = 0; i < 1500; ++i)
        p.points.push_back({i * 240.0, 1000.0 * std::sin(i * 0.01), std::cos(i * 0.01), i % 3 ? 0 : 1});
    return p;
}

// CPU seconds used by finished child processes (workbooks are read in one).
double childCpuSeconds()
{
    rusage ru{};
    getrusage(RUSAGE_CHILDREN, &ru);
    return ru.ru_utime.tv_sec + ru.ru_stime.tv_sec + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
}

fs::path benchFile(const char* name)
{
    return fs::temp_directory_path() / name;
}

void BM_ECamSave1500(benchmark::State& state)
{
    const ecam::ECamProfile p = profile1500();
    const fs::path path = benchFile("bench_files_save.ecam");
    for (auto _ : state) {
        const bool ok = ecam::WriteECamProfileFile(path, p);
        benchmark::DoNotOptimize(ok);
    }
    fs::remove(path);
}
BENCHMARK(BM_ECamSave1500)->Unit(benchmark::kMillisecond);

void BM_ECamLoad1500(benchmark::State& state)
{
    const fs::path path = benchFile("bench_files_load.ecam");
    ecam::WriteECamProfileFile(path, profile1500());
    for (auto _ : state) {
        ecam::ECamProfile p;
        ecam::ReadECamProfileFile(path, p);
        if (p.points.size() != 1500)
            state.SkipWithError("wrong point count");
        benchmark::DoNotOptimize(p.points.data());
    }
    fs::remove(path);
}
BENCHMARK(BM_ECamLoad1500)->Unit(benchmark::kMillisecond);

void BM_XlsxImport1500(benchmark::State& state)
{
    const fs::path path = benchFile("bench_files_import.xlsx");
    {
        CMSExcelHelper x;
        x.InitExcel(path);
        x.AddSheet(L"ECamInfo");
        for (int i = 0; i < 1500; ++i)
            x.WriteLine(1, i + 1, {std::to_wstring(i * 240) + L".00", std::to_wstring(i % 97) + L".50"});
        x.CloseAndSaveExcel();
    }
    const double childStart = childCpuSeconds();
    for (auto _ : state) {
        CMSExcelHelper x;
        if (!x.OpenExcel(path)) {
            state.SkipWithError("cannot open");
            break;
        }
        std::vector<std::wstring> first, second;
        x.ReadColumnFromBegin(1, 1, first);
        x.ReadColumnFromBegin(1, 2, second);
        x.CloseExcel();
        const auto pts = ecam::SpecialPointsFromColumns(first, second);
        if (pts.size() != 1501)
            state.SkipWithError("wrong point count");
        benchmark::DoNotOptimize(pts.data());
    }
    // The reading child's CPU time per import, in ms (not in "CPU" above).
    state.counters["child_cpu_ms"] = (childCpuSeconds() - childStart) * 1e3 / state.iterations();
    fs::remove(path);
}
BENCHMARK(BM_XlsxImport1500)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
