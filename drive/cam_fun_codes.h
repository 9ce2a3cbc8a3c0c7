#pragma once
// The cam-related drive parameters that the function-code settings dialog
// and `ecamctl params` work on: their fixed list, how a value is shown, and
// how a typed value is checked. Shared so that both say the same things.
//
// Plain functions on catalogue objects (CFunCode, owned by the catalogue);
// callable from any thread that may use those objects.
#include "host/fun_code.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace camfuncodes {

// Row order of the dialog (H1B-13..15 are not part of the cam settings).
inline constexpr const wchar_t* kNumbers[] = {L"H05-00", L"H1B-06", L"H1B-07", L"H1B-08", L"H1B-09",
                                              L"H1B-10", L"H1B-11", L"H1B-12", L"H1B-16", L"H1B-17"};
inline constexpr int kNumberCount = static_cast<int>(sizeof kNumbers / sizeof kNumbers[0]);

// Option text "value-label" as the option lists show it.
std::wstring OptionText(const FunCodeOption& option);

// Kind 1 with options: the matching option's text, or when none matches the
// value marked as such ("9 (不在选项中)": the drive holds it, so it is shown);
// otherwise the value as a signed decimal.
std::wstring FormatFunCodeValue(const CFunCode& p, int32_t value);

// Like a 32-bit wcstol in base 10 (leading number, 0 when none, saturated).
int32_t ParseInt(std::wstring_view text);

// Checks typed text for a plain-number parameter, in this order: range,
// empty, decimal point. Returns an empty string when the text is good
// (*value then holds it), otherwise the message (UTF-8) to show under the
// caption "输入错误". An empty text is reported as out of range when 0 lies
// outside the limits, since it reads as 0.
std::string CheckFunCodeInput(std::wstring_view text, int32_t min, int32_t max, int32_t* value);

// Typed text for a parameter where no in-place editor restricts it (the
// command line): the dialog's checks (CheckFunCodeInput) for plain-number
// parameters, then the whole text must be a decimal integer (ASCII sign and
// digits: "abc", "12abc", "0x10" and full-width digits are refused with
// "请输入整形数据!", where the dialog would read their leading number).
// Option parameters take an option's value or its "value-label" text only;
// another number gives kNotAnOption (the caller lists the options after it).
// Empty when good (*value then holds it), otherwise the message (UTF-8).
inline constexpr const char* kNotAnOption = "not one of the options:";
std::string CheckTypedValue(const CFunCode& p, std::wstring_view text, int32_t* value);

} // namespace camfuncodes
