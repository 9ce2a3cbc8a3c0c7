#include "files/comma_sub_str.h"

namespace {
bool isTrimmed(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}
} // namespace

std::wstring CCommaSubStr::GetField(int n) const
{
    if (m_line.empty() || n < 0)
        return {};
    size_t pos = 0;
    for (int i = 0; i < n; ++i) {
        const size_t comma = m_line.find(L',', pos);
        if (comma == std::wstring::npos)
            return {};
        pos = comma + 1;
    }
    size_t end = m_line.find(L',', pos);
    if (end == std::wstring::npos)
        end = m_line.size();
    while (pos < end && isTrimmed(m_line[pos]))
        ++pos;
    while (end > pos && isTrimmed(m_line[end - 1]))
        --end;
    return m_line.substr(pos, end - pos);
}
