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
        return std::to_wstring(value) + L" (不在选项中)";
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

namespace {
bool IsDecimal(std::wstring_view text)
{
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+'))
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of(L"0123456789") == std::wstring_view::npos;
}
} // namespace

std::string CheckTypedValue(const CFunCode& p, std::wstring_view text, int32_t* value)
{
    if (p.m_nKind == 1 && !p.m_options.empty()) {
        const bool number = IsDecimal(text);
        const int32_t v = ParseInt(text);
        for (const FunCodeOption& o : p.m_options) {
            if ((number && o.value == v) || text == OptionText(o)) {
                if (value)
                    *value = o.value;
                return {};
            }
        }
        return number ? kNotAnOption : "请输入整形数据!";
    }
    int32_t v = 0;
    std::string problem = CheckFunCodeInput(text, p.m_nMin, p.m_nMax, &v);
    if (problem.empty() && !IsDecimal(text))
        problem = "请输入整形数据!";
    if (problem.empty() && value)
        *value = v;
    return problem;
}

} // namespace camfuncodes
