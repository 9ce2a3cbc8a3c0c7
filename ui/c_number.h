#pragma once
// QString front end of the number helpers in cam/c_number.h for widgets:
// leading number like the C library's wide conversions, 0 when none, never
// locale-dependent, 32-bit integers clamped to INT32_MIN/INT32_MAX. Any thread.
#include "cam/c_number.h"

#include <QString>
#include <cstdint>
#include <string>

// Like wcstod: *consumed (optional) receives the number of characters read.
inline double CStrToDouble(const QString& text, int* consumed = nullptr)
{
    return ecam::LeadingDouble(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                   static_cast<size_t>(text.size())),
                               consumed);
}
inline double CStrToDouble(const std::string& text, int* consumed = nullptr)
{
    return ecam::LeadingDouble(std::string_view(text), consumed);
}

// Like wcstol with a 32-bit long; base 0 detects 0x / 0 prefixes.
inline int32_t CStrToLong(const QString& text, int base = 10, int* consumed = nullptr)
{
    return ecam::LeadingInt32(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                  static_cast<size_t>(text.size())),
                              base, consumed);
}
inline int32_t CStrToLong(const std::string& text, int base = 10, int* consumed = nullptr)
{
    return ecam::LeadingInt32(std::string_view(text), base, consumed);
}

// Like _wtof and _wtoi.
inline double CToF(const QString& text) { return CStrToDouble(text); }
inline int32_t CToI(const QString& text) { return CStrToLong(text, 10); }
inline double CToF(const std::string& text) { return CStrToDouble(text); }
inline int32_t CToI(const std::string& text) { return CStrToLong(text, 10); }
