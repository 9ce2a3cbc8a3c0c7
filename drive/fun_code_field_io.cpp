#include "drive/fun_code_field_io.h"

#include "drive/fun_code_access.h"

bool CFunCodeFieldIo::CheckConnect()
{
    if (m_access.CheckConnect())
        return true;
    m_lastError = DriveError(DriveError::NotConnected);
    return false;
}

bool CFunCodeFieldIo::WriteField(uint16_t address, uint32_t width, uint32_t value)
{
    DriveError why;
    if (m_access.WriteFunCodeByAddr(address, width, value, &why))
        return true;
    m_lastError = why.ok() ? DriveError(DriveError::NotConnected) : why;
    return false;
}

bool CFunCodeFieldIo::ReadField(uint16_t address, uint32_t width, uint32_t& out)
{
    DriveError why;
    if (m_access.ReadFunCodeByAddr(address, width, out, &why))
        return true;
    m_lastError = why.ok() ? DriveError(DriveError::NotConnected) : why;
    return false;
}

bool CFunCodeFieldIo::ReadSpans(const std::vector<RegSpan>& spans, std::vector<uint16_t>& out)
{
    std::size_t total = 0;
    for (const RegSpan& s : spans)
        total += s.count;
    std::vector<uint16_t> words(total);
    DriveError why;
    if (m_access.ReadSpans(spans.data(), spans.size(), words.data(), &why)) {
        out = std::move(words);
        return true;
    }
    m_lastError = why.ok() ? DriveError(DriveError::NotConnected) : why;
    return false;
}
