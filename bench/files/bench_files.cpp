// Profile files and workbook import at the sizes users reach: a 1500-point
// .ecam loaded and saved (targets: under 5 ms each), and the special-point
// import of 1500-row workbooks written by the office suite, .xlsx and .xls
// (target: under 10 ms each, in this process), all through real files.
#include "files/ecam_file.h"
#include "files/ms_excel_helper.h"
#include "files/point_list_file.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

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

// The panel's import: open, two columns, points, derived speeds.
void importFixture(benchmark::State& state, const char* name)
{
    const fs::path path = fs::path(ECAM_BENCH_DATA) / name;
    for (auto _ : state) {
        CMSExcelHelper x;
        std::vector<ECamPoint> pts;
        if (!ecam::ImportSpecialPointsWorkbook(x, path, pts) || pts.size() != 1500) {
            state.SkipWithError("cannot import");
            break;
        }
        benchmark::DoNotOptimize(pts.data());
    }
}

void BM_XlsxImport1500(benchmark::State& state)
{
    importFixture(state, "points1500.xlsx");
}
BENCHMARK(BM_XlsxImport1500)->Unit(benchmark::kMillisecond);

void BM_XlsImport1500(benchmark::State& state)
{
    importFixture(state, "points1500.xls");
}
BENCHMARK(BM_XlsImport1500)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
