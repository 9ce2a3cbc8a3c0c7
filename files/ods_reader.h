#pragma once
// Reader of .ods workbooks (OpenDocument spreadsheets) into CellSink: the
// tables of content.xml in order. A cell with a value type reads as its
// value (float, percentage and currency as office:value, date as its serial
// number, time as a fraction of a day, boolean as 1 or 0), a string or
// untyped cell as the text of its paragraphs. Repeated rows and columns are
// expanded only where they hold something; the expanded cells count
// against the cell cap. Throws ReadFailed on damage, caps or the deadline.
#include "files/sheet_cells.h"
#include "files/zip_reader.h"

namespace ecam {

bool IsOdsPackage(const ZipReader& zip);
void ReadOds(ZipReader& zip, CellSink& sink);

} // namespace ecam
