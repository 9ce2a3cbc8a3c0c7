#pragma once
// In-memory drive for the transfer tests: 16-bit registers, 32-bit fields
// low word first (as the data service lays them out), a log of every call,
// and scripted failures per address. Also a table to send and a recorder of
// the reports a transfer makes.
#include "drive/cam_field_io.h"
#include "drive/cam_transfer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

class FakeFieldIo : public ICamFieldIo {
public:
    struct Call {
        uint16_t address;
        uint32_t width;
        uint32_t value;
        bool operator==(const Call&) const = default;
    };

    bool connected = true;
    std::map<uint16_t, uint16_t> regs;
    // address -> number of attempts that still fail on it
    std::map<uint16_t, int> failuresLeft;

    bool CheckConnect() override { return connected; }

    bool WriteField(uint16_t address, uint32_t width, uint32_t value) override
    {
        std::lock_guard lock(m_mutex);
        const bool ok = Admit(address);
        if (ok) {
            regs[address] = static_cast<uint16_t>(value);
            if (width == 32)
                regs[static_cast<uint16_t>(address + 1)] = static_cast<uint16_t>(value >> 16);
        }
        calls.push_back({address, width, value});
        return ok;
    }
    bool ReadField(uint16_t address, uint32_t width, uint32_t& out) override
    {
        std::lock_guard lock(m_mutex);
        const bool ok = Admit(address);
        if (ok)
            out = regs[address] | (width == 32 ? uint32_t{regs[static_cast<uint16_t>(address + 1)]} << 16 : 0u);
        calls.push_back({address, width, ok ? out : 0});
        return ok;
    }
    // A pass fails when any register in it still has failures left (one is
    // used up per pass); every pass is logged. Its requests must be what the
    // data service takes: 1 to 125 registers, no two of one length.
    bool ReadSpans(const std::vector<RegSpan>& spans, std::vector<uint16_t>& out) override
    {
        std::lock_guard lock(m_mutex);
        passes.push_back(spans);
        if (beforePass)
            beforePass();
        std::set<uint16_t> lengths;
        for (const RegSpan& sp : spans)
            EXPECT_TRUE(sp.count >= 1 && sp.count <= 125 && lengths.insert(sp.count).second) << "length " << sp.count;
        std::vector<uint16_t> words;
        for (const RegSpan& sp : spans)
            for (uint16_t k = 0; k < sp.count; ++k) {
                const auto a = static_cast<uint16_t>(sp.address + k);
                if (!Admit(a))
                    return false;
                words.push_back(regs[a]);
            }
        out = std::move(words);
        return true;
    }
    bool LastFailureWasSilence() const override { return !connected; }

    std::vector<Call> calls;
    std::vector<std::vector<RegSpan>> passes;
    std::function<void()> beforePass;   // runs as each pass is asked for, before it is answered

private:
    bool Admit(uint16_t address)
    {
        auto it = failuresLeft.find(address);
        return connected && !(it != failuresLeft.end() && it->second > 0 && it->second--);
    }
    std::mutex m_mutex;
};

// Read requests compared as (address, count) and printed so.
inline bool operator==(const RegSpan& a, const RegSpan& b) { return a.address == b.address && a.count == b.count; }
inline void PrintTo(const RegSpan& s, std::ostream* os) { *os << std::hex << "0x" << s.address << std::dec << "+" << s.count; }

// n points, all fields different, negatives included.
inline std::vector<CamTable_Info> Ramp(int n)
{
    std::vector<CamTable_Info> t;
    for (int i = 0; i < n; ++i)
        t.push_back({i * 1000 - 5, -i * 7, static_cast<int16_t>(-i), static_cast<uint16_t>(i % 2)});
    return t;
}

using Msg = std::pair<unsigned, uintptr_t>;
struct Recorder {
    std::vector<Msg> msgs;
    camxfer::Report Fn() { return [this](unsigned m, uintptr_t w) { msgs.push_back({m, w}); }; }
};
