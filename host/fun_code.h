#pragma once
// CFunCode: one drive parameter (function code) as the parameter catalogue
// describes it, plus its current value (last read from or written to the
// drive) and its amended value (the value to write next).
//
// Ownership: always owned by a CFunCodeInterface (catalogue); callers never
// free one. Threads: the value members are plain fields; one parameter object
// is used by one thread at a time (objects handed out by address are per
// thread, see CFunCodeInterface::CreateFunCodePtrByAddr).
#include "host/host_api.h"

#include <cstdint>
#include <string>
#include <vector>

struct FunCodeOption {
    int32_t value = 0;
    std::wstring label;
};

class ECAM_HOST_API CFunCode {
public:
    std::wstring m_strNum;   // number text, e.g. L"H1B-06"; empty for a bare address
    std::wstring m_strName;  // name shown to the user
    int32_t m_nMin = 0;
    int32_t m_nMax = 0;
    std::wstring m_strUnit;
    int32_t m_nKind = 0;     // 0 plain number, 1 one of m_options
    std::vector<FunCodeOption> m_options;
    uint32_t m_nCurValue = 0;    // value last read from / written to the drive
    uint32_t m_nAmendValue = 0;  // value to be written next
    int32_t m_nDefault = 0;      // factory value
    uint16_t m_nAddr = 0;        // holding-register address (high byte group, low byte index)
    uint16_t m_nWidth = 16;      // 16 or 32 bits; 32 takes m_nAddr and m_nAddr + 1

    void SetAmendValue(uint32_t value) { m_nAmendValue = value; }
    // The factory value as display text ("%d").
    std::wstring GetDefaultValue() const;
    // True when the drive sees the 16-bit register as signed (minimum below 0):
    // 16-bit reads are then sign-extended to 32 bits, otherwise zero-extended.
    bool IsSigned() const { return m_nMin < 0; }
    // True when the value lies within [m_nMin, m_nMax] read at this width and
    // signedness (a 16-bit value given sign-extended or zero-extended).
    bool InRange(uint32_t value) const;
};
