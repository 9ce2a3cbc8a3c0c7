#pragma once
// Reader of zip packages (the container of .xlsx and .ods workbooks): the
// central directory, stored and deflated members (zlib), CRC checked.
// Bounded: at most kMaxZipEntries entries, kMaxPartBytes per inflated member
// and kMaxInflatedBytes over all members read, whatever sizes the archive
// claims; the budget's deadline is checked while inflating. Zip64 and
// encrypted members are refused. Damage throws ReadFailed (Damaged,
// TooLarge, TimedOut). Views into the caller's bytes, which must outlive
// the reader; one thread.
#include "files/read_limits.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ecam {

class ZipReader {
public:
    ZipReader(std::string_view bytes, ReadBudget& budget);

    // Whether the bytes start like a zip archive.
    static bool LooksLikeZip(std::string_view bytes);

    // Exact name first, then ignoring ASCII case (packages are written by
    // tools that disagree on case).
    bool Has(std::string_view name) const;
    // The member's bytes; throws Damaged when it is absent.
    std::string Read(std::string_view name);

private:
    struct Entry {
        uint16_t method = 0;
        uint16_t flags = 0;
        uint32_t crc = 0;
        uint64_t packed = 0;
        uint64_t size = 0;
        uint64_t offset = 0;
    };
    const Entry* find(std::string_view name) const;

    std::string_view m_bytes;
    ReadBudget& m_budget;
    std::unordered_map<std::string, Entry> m_entries;
    std::unordered_map<std::string, std::string> m_lowerNames; // lower-case -> name
    uint64_t m_inflated = 0;
};

} // namespace ecam
