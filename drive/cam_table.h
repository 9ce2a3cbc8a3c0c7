#pragma once
// The drive's cam table as the transfers see it: one CamTable_Info per point,
// the register addresses of the axis scaling, the point count and the two
// point tables, and the rules that turn key points into table entries
// (scaling, truncation toward zero).
//
// Pure data and arithmetic; no Qt, no I/O, no shared state: each transfer
// works on a table of its own (the panel hands its worker a copy and gets the
// points read back in the worker's final report).
#include "cam/ecam_point.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct CamTable_Info {
    int32_t master = 0;   // master position as the drive holds it
    int32_t slave = 0;    // slave position as the drive holds it
    int16_t speed = 0;    // normalized speed x 100 (standard table only)
    uint16_t segment = 0; // 1 Linear, 0 Poly (standard table only)

    bool operator==(const CamTable_Info&) const = default;
};

namespace camtable {

// Axis scaling and point count registers.
inline constexpr uint16_t kAddrMasterUnit = 0x1B00;   // 16 bit
inline constexpr uint16_t kAddrMasterPulse = 0x1B01;  // 32 bit
inline constexpr uint16_t kAddrSlaveUnit = 0x1B03;    // 16 bit
inline constexpr uint16_t kAddrSlavePulse = 0x1B04;   // 32 bit
inline constexpr uint16_t kAddrPointCount = 0x1B08;   // 16 bit

inline constexpr uint16_t kStandardBase = 0x1E00;
inline constexpr uint16_t kSpecialBase = 0x4000;
inline constexpr int kStandardMaxPoints = 272;
inline constexpr int kSpecialMaxPoints = 1500;
inline constexpr int kSpecialMinPoints = 3;
inline constexpr int kStandardPerGroup = 16;   // six words each, 0x00..0x5F
inline constexpr int kSpecialPerGroup = 25;    // four words each, 0x00..0x63

// Address after a standard point at a: six words on, next group at 0x60.
uint16_t NextStandardAddress(uint16_t a);
// Address after a special point at a: next group once a point sat at 0x60.
uint16_t NextSpecialAddress(uint16_t a);
// Closed forms of the two walks, point k counted from 0.
uint16_t StandardPointAddress(std::size_t k);
uint16_t SpecialPointAddress(std::size_t k);

// v * factor truncated toward zero, saturated to the int32 range (a value
// beyond it cannot come from a valid profile; saturating keeps it defined).
int32_t ScaleTruncate(double v, double factor);

// Standard table: one entry per key point; the first is always sent as
// master 0, slave 0; positions x1000, speed x100 kept to 16 bits.
std::vector<CamTable_Info> BuildStandardTable(const std::vector<ECamPoint>& points);

// Special table: entry 0,0 first, then key points 1.. (all when K <= V,
// otherwise V-2 resampled ones and the last); master x100, slave unscaled.
std::vector<CamTable_Info> BuildSpecialTable(const std::vector<ECamPoint>& points, int validCount);

} // namespace camtable
