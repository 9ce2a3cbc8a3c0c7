// Writes a starting corpus for the fuzz targets: make_fuzz_seeds ECAM_DIR WORKBOOK_DIR.
// Workbook seeds carry the type-choosing first byte of fuzz_workbook_import.
#include "files/ecam_file.h"
#include "files/ms_excel_helper.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

static void writeSeed(const fs::path& path, char typeByte, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << typeByte << bytes;
}

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const fs::path ecamDir = argv[1], bookDir = argv[2];
    fs::create_directories(ecamDir);
    fs::create_directories(bookDir);

    ecam::ECamProfile p;
    p.hostVersion = L"1.0.0.0";
    p.saveTime = L"2026年01月01日00:00:00";
    p.masterLength = L"1000";
    p.unit = L"毫米";
    p.slavePulse = L"131072";
    p.slaveUnits = L"10";
    p.masterPulse = L"10000";
    p.masterUnits = L"360";
    p.points = {{0, 0, 0, 1}, {250, 40, 0.2, 0}, {600, 80, 0, 1}, {1000, 0, 0, 1}};
    std::ofstream(ecamDir / "profile.ecam", std::ios::binary) << ecam::EncodeECamProfile(p);
    p.points.resize(2);
    std::ofstream(ecamDir / "short.ecam", std::ios::binary) << ecam::EncodeECamProfile(p);

    writeSeed(bookDir / "points.csv", 0, "0.00,0.00\n10,5\n\"20\",7\n,9\n30,\n");
    const char* const exts[] = {".xlsx", ".xls"};
    const char typeBytes[] = {1, 3};
    for (int i = 0; i < 2; ++i) {
        const fs::path tmp = fs::temp_directory_path() / (std::string("ecam_seed") + exts[i]);
        CMSExcelHelper x;
        if (!x.InitExcel(tmp))
            return 1;
        x.AddSheet(L"ECamInfo");
        x.WriteLine(1, 1, {L"10.00", L"5.00"});
        x.WriteLine(1, 2, {L"20.00", L""});
        x.WriteLine(1, 3, {L"30.00", L"15.00"});
        if (!x.CloseAndSaveExcel())
            return 1;
        std::ifstream in(tmp, std::ios::binary);
        writeSeed(bookDir / (std::string("points") + exts[i]), typeBytes[i],
                  std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
        fs::remove(tmp);
    }
    return 0;
}
