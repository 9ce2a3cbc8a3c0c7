#pragma once
// Reader of comma-separated text into CellSink: cells keep their text as
// written ("0.00" stays "0.00"); quoted cells may hold commas, line ends and
// doubled quotes; LF and CR LF end rows. UTF-8 (a byte order mark is
// dropped); text that is not valid UTF-8 is read as GBK, as the spreadsheet
// programs of a Chinese-locale machine save it. Throws ReadFailed on caps
// or the deadline.
#include "files/sheet_cells.h"

#include <string_view>

namespace ecam {

// Whether the bytes can be text: no control bytes other than tab, CR, LF
// (and form feed) in the first few kilobytes.
bool LooksLikeText(std::string_view bytes);
void ReadCsv(std::string_view bytes, CellSink& sink);

} // namespace ecam
