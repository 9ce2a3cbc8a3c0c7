#pragma once
// One column of a workbook's sheet as the panel reads it: its cells' texts
// from row 1, or {"<not opened>"} when the file does not open.
#include "files/ms_excel_helper.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ecamtest {

inline std::vector<std::wstring> WorkbookColumn(const std::filesystem::path& path, int col, int sheet = 1)
{
    CMSExcelHelper x;
    std::vector<std::wstring> cells{L"<not opened>"};
    if (x.OpenExcel(path))
        x.ReadColumnFromBegin(sheet, col, cells);
    return cells;
}

} // namespace ecamtest
