#include "files/leading_number.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace ecam {
namespace {

// A number is made of ASCII only, so the text is narrowed up to the first
// character outside ASCII (which ends any number anyway).
std::string asciiPrefix(std::wstring_view text)
{
    std::string s;
    s.reserve(text.size());
    for (wchar_t c : text) {
        if (c <= 0 || c >= 0x80)
            break;
        s += static_cast<char>(c);
    }
    return s;
}

locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

double LeadingDouble(std::wstring_view text)
{
    const std::string s = asciiPrefix(text);
    return strtod_l(s.c_str(), nullptr, cLocale());
}

long LeadingLong(std::wstring_view text)
{
    const std::string s = asciiPrefix(text);
    return strtol_l(s.c_str(), nullptr, 10, cLocale()); // saturates at LONG_MIN/MAX
}

int LeadingInt(std::wstring_view text)
{
    const long v = LeadingLong(text);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

std::wstring FixedText(double v, int decimals)
{
    char buf[400]; // the widest double in fixed notation plus 17 decimals
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed,
                                         std::clamp(decimals, 0, 17));
    if (ec != std::errc())
        return L"0";
    return std::wstring(buf, end); // ASCII only
}

} // namespace ecam
