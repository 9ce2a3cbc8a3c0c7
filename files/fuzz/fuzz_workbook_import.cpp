// Any bytes as a workbook: the first byte chooses the file type, the rest is
// the file. Opening never crashes, and what the import builds follows its
// rule (at most one point more than rows, at most one Poly point, the last)
// and gives a usable cam.
#include "files/fuzz/fuzz_check.h"
#include "files/ms_excel_helper.h"
#include "files/point_list_file.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static const char* const kExt[] = {".csv", ".xlsx", ".ods", ".xls"};
    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("ecam_fuzz_" + std::to_string(getpid()) + kExt[data[0] % 4]);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    CMSExcelHelper excel;
    if (excel.OpenExcel(path)) {
        std::vector<std::wstring> first, second;
        excel.ReadColumnFromBegin(1, 1, first);
        excel.ReadColumnFromBegin(1, 2, second);
        excel.CloseExcel();
        const std::vector<ECamPoint> pts = ecam::SpecialPointsFromColumns(first, second);
        FuzzCheck(pts.size() <= first.size() + 1, "more points than rows");
        size_t poly = 0;
        for (const ECamPoint& p : pts)
            poly += p.type == kECamPoly;
        FuzzCheck(poly <= 1 && (poly == 0 || pts.back().type == kECamPoly), "Poly point misplaced");
        if (pts.size() <= 256)
            FuzzCheckCamUsable(pts, true);
    }
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return 0;
}
