#pragma once
// Text conversion between the 8-bit code page of profile files (936, GBK)
// and the program's own text (wide strings and UTF-8).
//
// Profile files written on Chinese-locale machines hold their labels and the
// user's texts as GBK bytes. Encoding replaces a character GBK cannot hold
// with '?', the code page's default character; decoding replaces an invalid
// or truncated byte sequence with U+FFFD. Neither ever throws or reads past
// its input. Stateless free functions, callable from any thread.
#include <string>
#include <string_view>

namespace ecam {

std::string WideToGbk(std::wstring_view text);
std::wstring GbkToWide(std::string_view bytes);

std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view bytes);

// UTF-8 <-> wide (UTF-32 on Linux); invalid UTF-8 becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view text);

} // namespace ecam
