#pragma once
// Terminal columns of text: East Asian wide and fullwidth characters take
// two columns, combining marks none, everything else one, so tables that
// mix Chinese names and numbers line up. Independent of the C locale
// (wcwidth answers -1 for any non-ASCII character under "C"). Pure
// functions, any thread.
#include <string>

namespace ecamctl {

int DisplayWidth(const std::wstring& text);
// `text` as UTF-8, followed by blanks up to `columns` terminal columns
// (nothing added when it is already that wide or wider).
std::string PadToWidth(const std::wstring& text, int columns);

} // namespace ecamctl
