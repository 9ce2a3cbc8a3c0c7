#pragma once
// Reader of .xlsx workbooks (Office Open XML spreadsheets) into CellSink:
// the package's relationships lead from the root to the workbook, its
// sheets (in workbook order) and its shared strings; part paths may be
// relative or absolute ("/xl/worksheets/sheet1.xml"). Cells: numbers,
// shared, inline and formula-result strings, booleans, cached formula
// results, ISO dates (type "d") as serial numbers; errors read as empty.
// Throws ReadFailed on damage or when a cap or the deadline is reached.
#include "files/sheet_cells.h"
#include "files/zip_reader.h"

namespace ecam {

// Whether the package holds a spreadsheet of this kind.
bool IsXlsxPackage(const ZipReader& zip);
void ReadXlsx(ZipReader& zip, CellSink& sink);

} // namespace ecam
