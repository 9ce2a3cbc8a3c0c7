#pragma once
// Writer of legacy binary workbooks (.xls: BIFF8 records in a compound
// file), enough for sheets of text cells: the special-point workbook saved
// by the panel. Pure code (bytes out); callable from any thread.
//
// Limits of the format: 65536 rows, 256 columns, 255 characters per cell
// (longer texts are cut at a character boundary), sheet names of at most
// 31 characters. The whole file must fit in the 109 allocation-table sectors
// that the file header indexes directly (about 6 MB), far beyond 1500 rows.
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ecam {

struct XlsSheetData {
    std::wstring name;
    std::map<std::pair<int, int>, std::wstring> cells; // (row, col), both from 0
};

// The file's bytes, or an empty string when the content exceeds the limits.
std::string BuildXlsWorkbook(const std::vector<XlsSheetData>& sheets);

} // namespace ecam
