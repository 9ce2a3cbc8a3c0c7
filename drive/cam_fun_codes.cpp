#include "drive/cam_fun_codes.h"

#include "cam/c_number.h"

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
    // Wide blanks typed with an input method are skipped at the start as the
    // C library would in the user's locale; the C locale knows only ASCII ones.
    const std::size_t first = text.find_first_not_of(L"\x3000\xA0");
    return ecam::LeadingInt32(first == std::wstring_view::npos ? std::wstring_view{} : text.substr(first));
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
