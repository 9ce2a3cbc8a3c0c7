#pragma once
// Reader of legacy .xls workbooks (BIFF8 records in a compound document)
// into CellSink. The compound document's allocation tables, directory and
// mini stream are walked with every chain bounded by the file's sector
// count. Cells: NUMBER, RK, MULRK, LABELSST (with the shared string table
// and its CONTINUE records), LABEL, RSTRING, BOOLERR, and FORMULA through
// its cached result (number, boolean, empty text, or the text of the
// STRING record that follows); numbers formatted as dates are their serial
// numbers. Worksheets in the order of the stream; chart and macro sheets
// are skipped. Encrypted or pre-BIFF8 workbooks are refused. Throws
// ReadFailed on damage, caps or the deadline.
#include "files/sheet_cells.h"

#include <string_view>

namespace ecam {

bool LooksLikeCompoundDocument(std::string_view bytes);
void ReadXls(std::string_view bytes, CellSink& sink);

} // namespace ecam
