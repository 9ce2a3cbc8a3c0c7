#include "drive/cam_fun_codes.h"

#include "drive/puu_params.h"

#include <cstdio>

namespace camfuncodes {

std::wstring OptionText(const FunCodeOption& option)
{
    return std::to_wstring(option.value) + L"-" + option.label;
}

std::wstring FormatFunCodeValue(const CFunCode& p, int32_t value)
{
    if (p.m_nKind == 1 && !p.m_options.empty()) {
        for (const FunCodeOption& o : p.m_options) {
            if (o.value == value)
                return OptionText(o);
        }
        return {};
    }
    return std::to_wstring(value);
}

int32_t ParseInt(std::wstring_view text)
{
    // Only ASCII can be part of the number; anything else ends it (a wide
    // blank at the start is skipped as the C library would).
    std::string narrow;
    narrow.reserve(text.size());
    bool leading = true;
    for (wchar_t c : text) {
        if (leading && (c == L'\x3000' || c == L'\xA0'))
            continue;
        leading = false;
        narrow.push_back(c < 0x80 ? static_cast<char>(c) : '\x01');
    }
    return puu::ParseInt(narrow);
}

std::string CheckFunCodeInput(std::wstring_view text, int32_t min, int32_t max, int32_t* value)
{
    const int32_t v = ParseInt(text);
    if (v > max || v < min) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "数据有效范围:【%d-%d】", static_cast<int>(min), static_cast<int>(max));
        return buf;
    }
    if (text.empty())
        return "数据不能为空!";
    if (text.find(L'.') != std::wstring_view::npos)
        return "请输入整形数据!";
    if (value)
        *value = v;
    return {};
}

} // namespace camfuncodes
