#pragma once
// Reading numbers typed by users the way the C library's wide-string
// conversions do: optional leading blanks, the longest valid leading number,
// 0 when there is none; never an exception, never locale-dependent (a full
// stop is always the decimal point). Integers follow a 32-bit long, as on the
// platform the file formats come from: out-of-range values clamp to
// INT32_MIN/INT32_MAX. Any thread.
#include <QString>
#include <cstdint>
#include <string>

// Like wcstod: *consumed (optional) receives the number of characters read.
double CStrToDouble(const QString& text, int* consumed = nullptr);
double CStrToDouble(const std::string& text, int* consumed = nullptr);

// Like wcstol with a 32-bit long; base 0 detects 0x / 0 prefixes.
int32_t CStrToLong(const QString& text, int base = 10, int* consumed = nullptr);
int32_t CStrToLong(const std::string& text, int base = 10, int* consumed = nullptr);

// Like _wtof and _wtoi.
inline double CToF(const QString& text) { return CStrToDouble(text); }
inline int32_t CToI(const QString& text) { return CStrToLong(text, 10); }
inline double CToF(const std::string& text) { return CStrToDouble(text); }
inline int32_t CToI(const std::string& text) { return CStrToLong(text, 10); }
