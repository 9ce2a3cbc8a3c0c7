#pragma once
// CFunCodeInterface: the parameter catalogue of a device, loaded from a JSON
// file (default: funcodes.json among the program's data files, see
// host/data_location.h). It owns every CFunCode it hands out; nothing
// obtained from it is freed by the caller.
//
// Threads: after loading, the look-ups are safe from any thread.
// CreateFunCodePtrByAddr hands each thread its own object per (address,
// width), reused on every call from that thread, so a GUI thread and a
// transfer worker can use the same address at once without sharing a value,
// and repeated calls do not grow memory. Those objects live until the
// calling thread ends or the catalogue is destroyed.
//
// File format (UTF-8 JSON):
//   { "funcodes": [ { "number": "H1B-06", "name": "...", "unit": "...",
//       "min": 0, "max": 2, "kind": 1, "options": [ {"value": 0, "label": "..."} ],
//       "default": 0, "address": "0x1B06", "width": 16 }, ... ] }
// "address" is a number or a "0x..." text; "options" is needed only for kind 1.
#include "host/fun_code.h"
#include "host/host_api.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ECAM_HOST_API CFunCodeInterface {
public:
    // Loads a catalogue; on failure returns null and, if error is given,
    // fills it with a message naming the file and the offending entry.
    static std::unique_ptr<CFunCodeInterface> LoadFile(const std::string& path, std::string* error = nullptr);
    static std::unique_ptr<CFunCodeInterface> LoadJson(const std::string& json, const std::string& sourceName,
                                                       std::string* error = nullptr);
    // $ECAM_FUNCODES when set, else funcodes.json where ecam::FindDataFile
    // finds it (installed next to the program, or the source tree's).
    static std::string DefaultPath();

    ~CFunCodeInterface();
    CFunCodeInterface(const CFunCodeInterface&) = delete;
    CFunCodeInterface& operator=(const CFunCodeInterface&) = delete;

    // The parameter with this number text, null when the catalogue has none.
    CFunCode* GetFunCodePtrByNum(const std::wstring& number);
    unsigned GetFunCodeCount() const;
    // index from 0 to count - 1; null outside.
    CFunCode* GetFunCodePtrByIndex(unsigned index);
    // A parameter object for this address and width (16 or 32), null for any
    // other width. Carries the catalogue's description when an entry has the
    // same address and width, otherwise a bare one (limits of the width).
    CFunCode* CreateFunCodePtrByAddr(unsigned address, unsigned width);
    // The catalogue entry occupying this register (either word of a 32-bit
    // entry), null when none. Used by the drive simulator for its limits.
    const CFunCode* FindByRegister(uint16_t reg) const;

    const std::string& SourceName() const { return m_source; }

private:
    CFunCodeInterface() = default;
    std::string m_source;
    std::vector<std::unique_ptr<CFunCode>> m_codes;
    uint64_t m_id = 0;  // unique per catalogue, keys the per-thread objects
};
