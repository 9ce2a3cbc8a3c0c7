#pragma once
// The one set of helpers for numbers typed by users or read from file fields:
// they read text the way the C library's conversions do - optional leading
// blanks, the longest valid leading number, 0 when there is none - and never
// throw. The process locale is ignored (Qt installs the user's locale at
// start-up, which could make "," the decimal separator); a full stop is always
// the decimal point. Characters outside ASCII end a number. Plain functions, no
// state beyond a shared C locale handle; callable from any thread.
//
// Integers come in two widths because callers mean two things: the 32-bit
// long of the platform our file formats and drive fields come from
// (LeadingInt32, LeadingInt: clamped to INT32_MIN/INT32_MAX) and the native
// long for counts read from files (LeadingLong).
#include <cstdint>
#include <string>
#include <string_view>

namespace ecam {

// Like wcstod/strtod: decimal or hexadecimal, "inf"/"nan" included.
// *consumed (optional) receives the number of characters read.
double LeadingDouble(std::wstring_view text, int* consumed = nullptr);
double LeadingDouble(std::u16string_view text, int* consumed = nullptr); // UTF-16 (widgets)
double LeadingDouble(std::string_view text, int* consumed = nullptr);

// Like wcstol/strtol with a 32-bit long; base 0 detects 0x / 0 prefixes, a
// base outside 2..36 reads nothing.
int32_t LeadingInt32(std::wstring_view text, int base = 10, int* consumed = nullptr);
int32_t LeadingInt32(std::u16string_view text, int base = 10, int* consumed = nullptr);
int32_t LeadingInt32(std::string_view text, int base = 10, int* consumed = nullptr);

// Like wcstol in base 10 with the native long (saturating at LONG_MIN/MAX).
long LeadingLong(std::wstring_view text);

// Like _wtoi: base 10, clamped to the range of int.
inline int LeadingInt(std::wstring_view text) { return LeadingInt32(text); }

// printf "%.<decimals>f" (decimals 0..17) without the process locale.
std::wstring FixedText(double v, int decimals);

} // namespace ecam
