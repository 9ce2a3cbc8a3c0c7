#include "host/fun_code.h"

std::wstring CFunCode::GetDefaultValue() const
{
    return std::to_wstring(m_nDefault);
}

bool CFunCode::InRange(uint32_t value) const
{
    int64_t v;
    if (m_nWidth == 16)
        v = IsSigned() ? int64_t(int16_t(value & 0xFFFF)) : int64_t(value & 0xFFFF);
    else
        v = IsSigned() ? int64_t(int32_t(value)) : int64_t(value);
    return v >= m_nMin && v <= m_nMax;
}
