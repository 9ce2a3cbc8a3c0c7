#pragma once
// CCamVerifier: reads back what a cam write put into the drive (the axis
// scaling, the point count and every field of the table) and lists every
// field that differs. It reads in blocks (CBlockReader: checked passes of up
// to 125 registers a request), so a stale answer cannot pass for the drive's
// contents and the check costs a few percent of the write. A table that
// cannot be read cleanly is a failure of its own (kReadFailed, or kNoAnswer
// when the drive stays silent), never a list of invented differences.
// Used after a write by the panel's worker and by ecamctl.
//
// Runs on one thread at a time; borrows the field access and the stop object,
// which must outlive it. After a stop request it ends at the next attempt.
#include "drive/cam_field_io.h"
#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/puu_params.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CTransferStop;

namespace camverify {

enum class Field {
    kSlavePulse,
    kSlaveUnit,
    kMasterPulse,
    kMasterUnit,
    kPointCount,
    kMaster,
    kSlave,
    kSpeed,
    kSegment,
};

// One field that does not hold what was written.
struct Mismatch {
    int point = -1;         // table index, -1 for the scaling and the count
    Field field = Field::kMaster;
    int64_t written = 0;
    int64_t read = 0;       // meaningless when unreadable
    bool unreadable = false;

    bool operator==(const Mismatch&) const = default;
};

// What the drive should hold after a write.
struct Expected {
    std::optional<puu::Values> scaling;   // absent: not written (special write)
    int pointCount = 0;                   // the value written to the count register
    std::vector<CamTable_Info> table;
    bool special = false;                 // special-point table (two fields a point)
};

// One line for the user, e.g. "第3点 主轴位置: 写入 3000, 读回 0" or
// "主轴脉冲数: 写入 10000, 读回失败". UTF-8.
std::string Describe(const Mismatch& m);
// The lines of the first `max` mismatches and, when there are more, a last
// line with their total.
std::string DescribeList(const std::vector<Mismatch>& mismatches, std::size_t max);

} // namespace camverify

class CCamVerifier {
public:
    CCamVerifier(ICamFieldIo& io, camxfer::Timing timing, CTransferStop* stop = nullptr);

    // Number of fields Verify reads for `expected`, for a progress bar.
    static std::size_t FieldCount(const camverify::Expected& expected);
    // Reads every field back and fills `mismatches` (cleared first). Reports
    // kVerifyProgress with the table index after each point. Returns kOk
    // when everything matches, kVerifyFailed when something differs,
    // kReadFailed or kNoAnswer when the drive could not be read (mismatches
    // then empty), kStopped when asked to stop.
    int Verify(const camverify::Expected& expected, std::vector<camverify::Mismatch>& mismatches,
               const camxfer::Report& report = {});

private:
    ICamFieldIo& m_io;
    camxfer::Timing m_timing;
    CTransferStop* m_stop;
};
