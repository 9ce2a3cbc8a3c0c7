#pragma once
// One-shot access to a single drive parameter by address and width, the only
// thing the cam transfers need from the drive. The panel and ecamctl adapt
// their CFunCodeAccess to it (CFunCodeFieldIo); tests plug in fakes.
//
// Implementations must tolerate calls from a transfer worker thread while the
// UI thread is idle; no two threads call one object at the same time.
#include "host/data_srv_base.h"

#include <cstdint>
#include <utility>
#include <vector>

class ICamFieldIo {
public:
    virtual ~ICamFieldIo() = default;
    // True when a drive is reachable right now (may connect on demand).
    virtual bool CheckConnect() = 0;
    // width is 16 or 32; a 16-bit value arrives already widened to 32 bits.
    virtual bool WriteField(uint16_t address, uint32_t width, uint32_t value) = 0;
    // out is set only on success.
    virtual bool ReadField(uint16_t address, uint32_t width, uint32_t& out) = 0;
    // One read pass over register runs with pairwise different lengths (see
    // CDataSrvBase::ReadSpans); `out` is replaced by the words of all runs,
    // in order, only on success. Default: register by register through
    // ReadField, for in-memory drives that cannot deliver stale answers.
    virtual bool ReadSpans(const std::vector<RegSpan>& spans, std::vector<uint16_t>& out)
    {
        std::vector<uint16_t> words;
        for (const RegSpan& s : spans)
            for (uint16_t k = 0; k < s.count; ++k) {
                uint32_t v = 0;
                if (!ReadField(static_cast<uint16_t>(s.address + k), 16, v))
                    return false;
                words.push_back(static_cast<uint16_t>(v));
            }
        out = std::move(words);
        return true;
    }
    // Whether the last failure was the drive's silence (no answer, no link),
    // as opposed to a garbled or refused answer.
    virtual bool LastFailureWasSilence() const { return false; }
};
