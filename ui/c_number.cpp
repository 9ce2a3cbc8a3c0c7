#include "ui/c_number.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace {

// strtod honours LC_NUMERIC, which QApplication sets from the environment;
// user numbers always use a full stop, so parse in the C locale.
locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Characters beyond ASCII never belong to a number; cut there so a UTF-8
// byte count and a character count agree for the part that was read.
std::string AsciiPrefix(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        if (c.unicode() == 0 || c.unicode() > 0x7F)
            break;
        out.push_back(static_cast<char>(c.unicode()));
    }
    return out;
}

} // namespace

double CStrToDouble(const std::string& text, int* consumed)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    double v = strtod_l(begin, &end, CLocale());
    if (consumed)
        *consumed = static_cast<int>(end - begin);
    return v;
}

double CStrToDouble(const QString& text, int* consumed) { return CStrToDouble(AsciiPrefix(text), consumed); }

int32_t CStrToLong(const std::string& text, int base, int* consumed)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    if (base != 0 && (base < 2 || base > 36)) {
        if (consumed)
            *consumed = 0;
        return 0;
    }
    errno = 0;
    long long v = strtoll_l(begin, &end, base, CLocale());
    if (consumed)
        *consumed = static_cast<int>(end - begin);
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(v);
}

int32_t CStrToLong(const QString& text, int base, int* consumed)
{
    return CStrToLong(AsciiPrefix(text), base, consumed);
}
