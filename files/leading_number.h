#pragma once
// Numbers read from file fields and cell texts the way the C library's wide
// conversions read them: the leading number of the text after white space,
// 0 when there is none; never throws. Independent of the process locale
// (Qt sets the user's locale at start-up, which could make "," the decimal
// separator). Callable from any thread.
#include <string>
#include <string_view>

namespace ecam {

// Like wcstod: decimal or hexadecimal, "inf"/"nan" included.
double LeadingDouble(std::wstring_view text);
// Like wcstol in base 10, clamped to the range of long.
long LeadingLong(std::wstring_view text);
// Like _wtoi: LeadingLong clamped to the range of int.
int LeadingInt(std::wstring_view text);

// printf "%.<decimals>f" (decimals 0..17) without the process locale.
std::wstring FixedText(double v, int decimals);

} // namespace ecam
