#pragma once
// CSimRegisterBank: the simulated drive's holding registers 0x0000-0xFFFF,
// held in a libmodbus mapping so the server can answer reads and writes from
// it directly, plus the catalogue whose limits guard writes. Owned by the
// simulator; every access goes through Lock() so the server thread and tests
// (reading or setting registers directly) never race.
#include <cstdint>
#include <memory>
#include <mutex>

class CFunCodeInterface;
typedef struct _modbus_mapping_t modbus_mapping_t;

class CSimRegisterBank {
public:
    // Takes the catalogue (may be null: no limits, no factory values) and
    // loads the factory values of its parameters.
    explicit CSimRegisterBank(std::unique_ptr<CFunCodeInterface> catalogue);
    ~CSimRegisterBank();
    CSimRegisterBank(const CSimRegisterBank&) = delete;
    CSimRegisterBank& operator=(const CSimRegisterBank&) = delete;

    std::unique_lock<std::mutex> Lock() const { return std::unique_lock<std::mutex>(m_lock); }
    // Callers hold Lock().
    modbus_mapping_t* Mapping() { return m_map; }
    uint16_t Get(uint16_t address) const;
    void Set(uint16_t address, uint16_t value);
    // True when writing values[0..count) from start keeps every catalogue
    // parameter it touches within its limits (a 32-bit parameter written in
    // part is checked with its other word as it stands). Caller holds Lock().
    bool WriteAllowed(uint16_t start, const uint16_t* values, int count) const;

    const CFunCodeInterface* Catalogue() const { return m_catalogue.get(); }

private:
    mutable std::mutex m_lock;
    modbus_mapping_t* m_map = nullptr;
    std::unique_ptr<CFunCodeInterface> m_catalogue;
};
