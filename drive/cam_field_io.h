#pragma once
// One-shot access to a single drive parameter by address and width, the only
// thing the cam transfers need from the drive. The panel and ecamctl adapt
// their CFunCodeAccess to it (CFunCodeFieldIo); tests plug in fakes.
//
// Implementations must tolerate calls from a transfer worker thread while the
// UI thread is idle; no two threads call one object at the same time.
#include <cstdint>

class ICamFieldIo {
public:
    virtual ~ICamFieldIo() = default;
    // True when a drive is reachable right now (may connect on demand).
    virtual bool CheckConnect() = 0;
    // width is 16 or 32; a 16-bit value arrives already widened to 32 bits.
    virtual bool WriteField(uint16_t address, uint32_t width, uint32_t value) = 0;
    // out is set only on success.
    virtual bool ReadField(uint16_t address, uint32_t width, uint32_t& out) = 0;
};
