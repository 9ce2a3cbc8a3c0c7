#pragma once
// Reader of comma-separated text into CellSink: cells keep their text as
// written ("0.00" stays "0.00"); quoted cells may hold commas, line ends and
// doubled quotes; LF, CR LF and a lone CR end rows; the separator is the
// first line's semicolon, else its tab, else the comma. UTF-8 (a byte order mark is
// dropped); text that is not valid UTF-8 is read as GBK, as the spreadsheet
// programs of a Chinese-locale machine save it. Throws ReadFailed on caps
// or the deadline.
#include "files/sheet_cells.h"

#include <string_view>

namespace ecam {

// Whether the bytes can be text: no control bytes other than tab, CR, LF
// (and form feed) in the first few kilobytes.
bool LooksLikeText(std::string_view bytes);
// HtmlPage or XmlDocument when the text is markup (after a byte order mark
// and blanks it opens with '<' and names an HTML element or an XML
// declaration), None otherwise.
ReadFailure MarkupKind(std::string_view bytes);
void ReadCsv(std::string_view bytes, CellSink& sink);

} // namespace ecam
