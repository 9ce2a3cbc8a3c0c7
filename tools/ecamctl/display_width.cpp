#include "display_width.h"

#include "drive_session.h"

namespace ecamctl {
namespace {

int CharWidth(char32_t c)
{
    if (c == 0 || (c >= 0x0300 && c <= 0x036F) || (c >= 0x200B && c <= 0x200F) || (c >= 0xFE00 && c <= 0xFE0F))
        return 0;   // combining marks, zero-width spaces, variation selectors
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
                      (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
                      (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
                      (c >= 0x20000 && c <= 0x3FFFD);
    return wide ? 2 : 1;
}

} // namespace

int DisplayWidth(const std::wstring& text)
{
    int width = 0;
    for (wchar_t c : text)
        width += CharWidth(static_cast<char32_t>(c));
    return width;
}

std::string PadToWidth(const std::wstring& text, int columns)
{
    std::string out = ToUtf8(text);
    const int width = DisplayWidth(text);
    if (width < columns)
        out.append(static_cast<std::size_t>(columns - width), ' ');
    return out;
}

} // namespace ecamctl
