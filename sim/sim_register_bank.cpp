#include "sim/sim_register_bank.h"

#include "host/fun_code_interface.h"

#include <modbus.h>

#include <new>

CSimRegisterBank::CSimRegisterBank(std::unique_ptr<CFunCodeInterface> catalogue)
    : m_map(modbus_mapping_new(0, 0, 0x10000, 0)), m_catalogue(std::move(catalogue))
{
    if (!m_map)
        throw std::bad_alloc();
    if (!m_catalogue)
        return;
    for (unsigned i = 0; i < m_catalogue->GetFunCodeCount(); ++i) {
        const CFunCode* fc = m_catalogue->GetFunCodePtrByIndex(i);
        const uint32_t v = uint32_t(fc->m_nDefault);
        Set(fc->m_nAddr, uint16_t(v & 0xFFFF));
        if (fc->m_nWidth == 32)
            Set(uint16_t(fc->m_nAddr + 1), uint16_t(v >> 16));
    }
}

CSimRegisterBank::~CSimRegisterBank()
{
    modbus_mapping_free(m_map);
}

uint16_t CSimRegisterBank::Get(uint16_t address) const
{
    return m_map->tab_registers[address];
}

void CSimRegisterBank::Set(uint16_t address, uint16_t value)
{
    m_map->tab_registers[address] = value;
}

bool CSimRegisterBank::WriteAllowed(uint16_t start, const uint16_t* values, int count) const
{
    if (!m_catalogue)
        return true;
    auto wordAt = [&](unsigned reg) -> uint32_t {
        return reg >= start && reg < unsigned(start) + unsigned(count) ? values[reg - start] : Get(uint16_t(reg));
    };
    for (int i = 0; i < count; ++i) {
        const unsigned reg = unsigned(start) + unsigned(i);
        if (reg > 0xFFFF)
            break;
        const CFunCode* fc = m_catalogue->FindByRegister(uint16_t(reg));
        if (!fc)
            continue;
        uint32_t v = wordAt(fc->m_nAddr);
        if (fc->m_nWidth == 32)
            v |= wordAt(fc->m_nAddr + 1u) << 16;
        if (!fc->InRange(v))
            return false;
    }
    return true;
}
