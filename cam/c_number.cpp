#include "cam/c_number.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <type_traits>

namespace ecam {
namespace {

locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// A number is made of ASCII only, so the text is narrowed up to the first
// character outside ASCII (which ends any number anyway). Cutting there also
// keeps a character count and a byte count equal for the part read.
template <class Char>
std::string asciiPrefix(std::basic_string_view<Char> text)
{
    std::string s;
    s.reserve(text.size());
    for (Char c : text) {
        const auto u = static_cast<std::make_unsigned_t<Char>>(c);
        if (u == 0 || u >= 0x80)
            break;
        s += static_cast<char>(u);
    }
    return s;
}

double toDouble(const std::string& s, int* consumed)
{
    char* end = nullptr;
    const double v = strtod_l(s.c_str(), &end, cLocale());
    if (consumed)
        *consumed = static_cast<int>(end - s.c_str());
    return v;
}

int32_t toInt32(const std::string& s, int base, int* consumed)
{
    if (base != 0 && (base < 2 || base > 36)) {
        if (consumed)
            *consumed = 0;
        return 0;
    }
    char* end = nullptr;
    const long long v = strtoll_l(s.c_str(), &end, base, cLocale()); // saturates
    if (consumed)
        *consumed = static_cast<int>(end - s.c_str());
    return static_cast<int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

} // namespace

double LeadingDouble(std::wstring_view text, int* consumed) { return toDouble(asciiPrefix(text), consumed); }
double LeadingDouble(std::u16string_view text, int* consumed) { return toDouble(asciiPrefix(text), consumed); }
double LeadingDouble(std::string_view text, int* consumed) { return toDouble(asciiPrefix(text), consumed); }

int32_t LeadingInt32(std::wstring_view text, int base, int* consumed)
{
    return toInt32(asciiPrefix(text), base, consumed);
}

int32_t LeadingInt32(std::u16string_view text, int base, int* consumed)
{
    return toInt32(asciiPrefix(text), base, consumed);
}

int32_t LeadingInt32(std::string_view text, int base, int* consumed)
{
    return toInt32(asciiPrefix(text), base, consumed);
}

long LeadingLong(std::wstring_view text)
{
    const std::string s = asciiPrefix(text);
    return strtol_l(s.c_str(), nullptr, 10, cLocale()); // saturates at LONG_MIN/MAX
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
