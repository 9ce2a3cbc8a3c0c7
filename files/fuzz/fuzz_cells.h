#pragma once
// What every workbook reader must give for any bytes: a ReadFailed or
// cells inside the sheet's bounds and the caps.
#include "files/fuzz/fuzz_check.h"
#include "files/sheet_cells.h"

inline void FuzzCheckCells(const std::vector<ecam::SheetCells>& sheets)
{
    FuzzCheck(sheets.size() <= ecam::kMaxSheets, "too many sheets");
    size_t cells = 0;
    for (const ecam::SheetCells& s : sheets) {
        cells += s.cells.size();
        for (const auto& [rc, text] : s.cells) {
            FuzzCheck(rc.first >= 1 && rc.first <= ecam::kMaxRows && rc.second >= 1
                          && rc.second <= ecam::kMaxColumns,
                      "cell outside the sheet");
            FuzzCheck(!text.empty() && text.size() <= ecam::kMaxCellBytes, "cell text empty or too long");
        }
    }
    FuzzCheck(cells <= ecam::kMaxCells, "more cells than the cap");
}
